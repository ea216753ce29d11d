// Carrying the soil and salinity data already entered over to the panels of a new number of
// root-zone layers: more layers repeat the old first layer, fewer drop the deeper ones; the
// transition zone and the aquifer keep their places.
#pragma once

namespace halosoil {

class StringGrid;
struct InputPanels;

// The old root-zone layer whose data fill layer newLayer (1..newLayers).
int SourceLayer(int oldLayers, int newLayers, int newLayer);

// The grid position of a zone (1..5) with a number of layers: the soil grid's row (from 0),
// the salinity grid's column (from 1).
int SoilRowOf(int zone, int layers);
int SaltColumnOf(int zone, int layers);

// All five columns of each zone's row.
void CarrySoilGrid(const StringGrid& from, int oldLayers, StringGrid& to, int newLayers);
// Each zone's column, rows 1..nrTst.
void CarrySalinityGrid(const StringGrid& from, int oldLayers, StringGrid& to, int newLayers,
                       int nrTst);

// The soil and salinity panels of oldLayers over to those of newLayers; the new salinity grid
// gets the rows of nrTst steps. A layer count outside 1..3 can only come from a damaged file;
// there is nothing to carry.
void CarryOverToNewLayerCount(const InputPanels& panels, int oldLayers, int newLayers, int nrTst);

}  // namespace halosoil
