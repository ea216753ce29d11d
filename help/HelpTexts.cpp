#include "HelpTexts.h"

#include "ProjectInfo.h"

namespace halosoil {

QStringList IntroLines() {
    return {
        " ",
        "                    INTRODUCTION  TO  Halosoil",
        "",
        "  The model simulates the depth of the water table and the salinity of the soil in "
        "irrigated areas, with a time step chosen by the user from 1 day to 1 year. Internally "
        "it works with smaller steps of one day for accuracy.",
        "",
        "  For a leaching experiment with measured soil salinities it can optimise the leaching "
        "efficiency automatically, by minimising the sum of the squares of the differences "
        "between the measured and the simulated salinities.",
        "",
        "  The root zone can consist of 1, 2, or 3 layers.",
        "",
        "  A subsurface drainage system can be introduced in a transition zone between the root "
        "zone and the aquifer; the program then determines the drain discharge.",
        "",
        "  With scarce irrigation or rainfall and a shallow water table it calculates the "
        "capillary rise, and it reduces the potential evapotranspiration to an actual "
        "evapotranspiration.",
        "",
        "  It can take upward seepage from the aquifer, or downward seepage into it (natural "
        "subsurface drainage), into account.",
        "",
        "  Contact: " + QString(kMakerEmail) + ", " + QString(kMakerWeb),
        "",
        "",
        "",
    };
}

QStringList MathLines() {
    return {
        "          WATER AND SALT BALANCES USED IN Halosoil",
        "",
        "I. - Water Balances (flows in mm / time step, depths in m):",
        "===========================================================",
        "",
        "   First layer:  Rain + Irrig  + Cap1 = Perc1 + Evap1",
        "",
        "   Second layer: Perc1 + Cap2 = Perc2 + Evap2",
        "",
        "   Third layer: Perc2 + Cap3 = Perc3 + Evap3",
        "",
        "   Transtion zone : Perc3 + Upw = Drain + Cap3 + Down",
        "",
        "   Aquifer: Inf + Down = Up + Out\t\t[Down >=  0, Up >= 0]",
        "",
        "where Rain is the rainfall, Irrig (Irri) the irrigation, Perc1, Perc2 and Perc3 the "
        "percolation from the 1st, 2nd and 3rd layer, Evap1, Evap2 and Evap3 the actual "
        "evapotranspiration from the 1st, 2nd and 3rd layer, Cap1, Cap2 and Cap3 the capillary "
        "rise into the 1st, 2nd and 3rd layer, Drain the discharge of the subsurface drainage "
        "system, Upw (Up) the upward flow from the aquifer, Down the downward flow into the "
        "aquifer, and Inf and Out the horizontal inflow into and outflow from the aquifer.",
        "",
        "Specification of percolation and capillary rise per layer (each is >= 0, when Perc>0 "
        "then Cap=0 and vice versa) :",
        "",
        "a - only one root zone layer present",
        "   Perc1 = (Rain+Irrig) / IrrEff - Evap1",
        "   Cap1 = CapT",
        "",
        "b - two root zone layers present",
        "   Perc1 = (Rain+Irrig) / IrrEff - Evap1",
        "   Perc2 = Perc1 - Evap2",
        "   Cap1 =  CapT - Evap2",
        "   Cap2 = CapT",
        "",
        "c - three root zone layers present",
        "   Perc1 = (Rain[i] + Irri[i]) / IrrEff - Evap1",
        "   Perc2 = Perc1 - Evap2",
        "   Perc3 = Perc2 - Evap3",
        "   Cap1 = Cap2 - Evap2",
        "   Cap2 = Cap3 - Evap3",
        "   Cap3 = CapT",
        "",
        "where CapT is the (total) capillary rise from the water table and IrrEff the "
        "irrigation or storage efficiency.",
        "",
        "Specification of actual evapotraspiration per layer:",
        "",
        "a - two root zone layers present",
        "   AvD = (D1+D2)/2",
        "   R1 = (D1-AvD)/(D1+D2)",
        "   R2 = (D2-AvD)/(D1+D2)",
        "   Evap1 = (2/3+R1)*EvapA",
        "   Evap2 = (1/3+R2)*EvapA",
        "",
        "b - three root zone layers present",
        "   AvD = (D1+D2+D3)/3",
        "   R1 = (D1-AvD)/(D1+D2+D3)",
        "   R2 = (D2-AvD/(D1+D2+D3)",
        "   R3 = (D3-AvD)/(D1+D2+D3)",
        "   Evap1 = (1/2+R1)*EvapA",
        "   Evap2 = (1/3+R2)*EvapA",
        "   Evap3 = (1/6+R3)*EvapA",
        "",
        "where D1, D2 and D3 are the thicknesses (m) of layers 1, 2 and 3, and EvapA the actual "
        "evapotranspiration.",
        "",
        "The total capillary rise and actual evapotranspiration are calculated as",
        "",
        "   EvapA = IrrEff*WR+CF*(EvapT-IrrEff*WR)\t[EvapA <= EvapT]",
        "   CapT = EvapA-WR\t\t\t[CapT>=0]",
        "   WR = Irrig + Rain",
        "   CF = (CDc - Dwt)/CDw\t\t\t[0 < CF <1]",
        "",
        "where EvapT is the potential evapotranspiration, WR the surface water resources, CF "
        "the capillary rise factor, Dwt the depth of the water table (m) and CDc the critical "
        "depth of the water table for capillary rise (m).",
        "",
        "The drain discharge is determined as",
        "",
        "   DRa = QH1*(Dd-Dwt)^2",
        "   DRb = QH2*(Dd-Dwt)",
        "   Drain = DRa + DRb",
        "",
        "where Dd is the drain depth (m), DRa and DRb the drainage water coming from the soil "
        "above and from the soil below drain level, and QH1 and QH2 the reaction factors of the "
        "drainage system for the flow above drain level (mm/m^2 per day) and below drain level "
        "(mm/m per day).",
        "",
        "The depth of the water is calculated as",
        "",
        "   Dwt = Dwp - Ts*(Perc3 - CapT - Drain + Up - Down) / 10*EffPor",
        "",
        "where Dwp is the depth of the water table of the previous time step (m), Ts the "
        "duration of the time step (day) and EffPor the effective or drainable porosity (%) "
        "of the layer that holds the water table.",
        "",
        "",
        "II. Salt balances (salinity in dS/m at field saturation)",
        "========================================================",
        "",
        "1. Root zone with only one layer",
        "",
        "1a Root zone salt balance",
        "   Sin = Irri*Si + Cap1*STr",
        "   Sout = LEr*Perc1*SRa/100",
        "   SRo = SRp + (Sin-Sout)/Wr",
        "   Wr = Dr*TPr/100",
        "",
        "1b Transition zone salt balance",
        "   Sin = LEr*Perc1*SRa/100 + Up*SAq/100",
        "   Sout = LEt*(Drain+Down+Cap1)*STa/100",
        "   STr = STp + (Sin-Sout)/Wt",
        "   Wt = Dt*TPt/100",
        "",
        "1c Aquifer salt balance",
        "   Sin = LEt*Down*STa/100 + Inf*Sinf/100",
        "   Sout = LEa*(Up+Out) *SAa/100",
        "   SAq = SAp + (Sin-Sout)/Wa",
        "   Wa = Da*TPa/100",
        "",
        "where Sin and Sout are the incoming and outgoing salt, Si the salinity of the "
        "irrigation water, SRo the salinity of the root zone, SRp its value of the previous "
        "time step and SRa their average; STr, STp and STa are the same for the transition zone "
        "and SAq, SAp and SAa for the aquifer. LEr, LEt and LEa are the leaching efficiencies "
        "(%) of the root zone, the transition zone and the aquifer, Sinf the salt concentration "
        "of Inf, Wr, Wt and Wa the water stored in the zones, Dr, Dt and Da the depths of the "
        "root zone, the transition zone and the aquifer, and TPr, TPt and TPa their total "
        "porosities (%).",
        "",
        "2. Root zone with two layers",
        "",
        "2a First layer salt balance",
        "   Sin = Irri*Si + Cap1*S2",
        "   Sout = LE1*Perc1*S1a/100",
        "   S1 = S1p + (Sin-Sout)/W1",
        "   W1 = D1*TP1/100",
        "",
        "2b Second layer salt balance",
        "   Sin = LE1*Perc1*S1a/100 + Cap2*STr/100",
        "   Sout = LE2*(Perc2+Cap1)*S2a/100",
        "   S2 = S2p + (Sin-Sout)/W2",
        "   W2 = D2*TP2/100",
        "",
        "2c Transition zone salt balance",
        "   Sin = LE2*Perc2*S2a/100 + Up*SAq/100",
        "   Sout = LEt*(Drain+Down+CapT)*STa/100",
        "   STr = STp + (Sin-Sout)/Wt",
        "",
        "2d. The salt balance of the aquifer remains unchanged.",
        "",
        "where S1 and S2 are the salinities of the first and second layer, with p for the "
        "value of the previous time step and a for their average, LE1 and LE2 the leaching "
        "efficiencies (%) of the layers, W1 and W2 the water stored in them and TP1 and TP2 "
        "their total porosities (%).",
        "",
        "3. Root zone with three layers",
        "",
        "3a. The salt balance of the first layer is the same as that of the first layer in the "
        "two layer case.",
        "",
        "3b Second layer salt balance",
        "   Sin = LE1*Perc1*S1a/100 + Cap2*S3/100",
        "   Sout = LE2*(Perc2+Cap1)*S2a/100",
        "   S2 = S2p + (Sin-Sout)/W2",
        "",
        "3c Third layer salt balance",
        "   Sin = LE2*Perc2*S2a/100 + Cap3*STr/100",
        "   Sout = LE3*(Perc3+Cap2)*S3a/100",
        "   S3 = S3p + (Sin-Sout)/W3",
        "   W3 = D3*TP3/100",
        "",
        "3d Transition zone salt balance",
        "   Sin = LE3*Perc3*S3a/100 + Up*SAq/100",
        "   Sout = LEt*(Drain+Down+CapT)*STa/100",
        "   STr = STp + (Sin-Sout)/Wt",
        "",
        "3e. The salt balance of the aquifer remains unchanged.",
        "",
        "where S3 is the salinity of the third layer, with p and a as before, LE3 its leaching "
        "efficiency (%), W3 the water stored in it and TP3 its total porosity (%).",
        "",
    };
}

QString FigureCaption() {
    return "     Sketch of water movement as used in Halosoil in case of a root zone with two "
           "layers";
}

QStringList DrainExplanationLines() {
    return {
        "",
        "   Hooghoudt's equation for subsurface drainage by pipes or ditches is:",
        "",
        "   q = (8*Kb*d*h + 4*Ka*h*h) / ( L*L)",
        "",
        "   where:",
        "   q    = drain discharge ((m/day, or m3/day per m2 surface area),",
        "   K   = hydraulic conductivity of the soil (m/day) ,",
        "   Kb = K below drain level,",
        "   Ka = K above drain level,",
        "   d   = equivalent depth of impermeable layer below drain level (m),",
        "   h   = height of the water table above drain level midway between drains (m),",
        "   L   = drain spacing (m)",
        "",
        "   q = q1 + q2",
        "",
        "   where:",
        "   q1 = 8*Kb*d*h / (L*L) ,  representing dainage flow below drain level",
        "   q2 = 4*Ka*h*h / (L*L) ,  representing drainage flow above drain level",
        "   ",
        "   The ratio QH1 = 8*kb*d / (L*L)  gives the drain discharge stemming form",
        "   flow below drain level when h = 1 m. (QH1 = q1 when h = 1m.)",
        "",
        "   The ratio QH2 = 4*Ka / (L*L) gives the drain discharge stemming from",
        "   flow above drain level when h = 1 m. (QH2 = q2 when h = 1 m.)",
        "   ",
        "   The ratios characterize the capacity of the subsurface drainage system.",
    };
}

}  // namespace halosoil
