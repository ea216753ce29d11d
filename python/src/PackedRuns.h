// Projects and outcomes of runs packed into bytes, for the workers of a Dask cluster: a chunk
// of projects crosses as one bytes object instead of thousands of pickled arrays, and comes
// back the same way. Packs are read by the same build of the package that wrote them (the
// workers import the package the client does).
#pragma once

#include <pybind11/pybind11.h>

namespace halosoil::python {

// The records of consistent Projects' attributes (RecordDict.h), packed; a record that cannot
// be read travels as its refusal.
pybind11::bytes PackProjects(const pybind11::list& projects);

// Runs a pack of projects as RunMany does and packs the outcomes.
pybind11::bytes RunPacked(const pybind11::bytes& projects, bool refine, bool optimise, int threads);

// The outcomes of a pack, as RunMany returns them.
pybind11::list UnpackOutcomes(const pybind11::bytes& outcomes);

}  // namespace halosoil::python
