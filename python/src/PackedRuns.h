// Projects and outcomes of runs packed into bytes, for the workers of a Dask cluster: a chunk
// of projects crosses as one bytes object instead of thousands of pickled arrays, and comes
// back the same way. Packs are read by the same build of the package that wrote them (the
// workers import the package the client does).
#pragma once

#include <pybind11/pybind11.h>

namespace halosoil::python {

// The records of consistent Projects' attributes (RecordDict.h), packed; a record that cannot
// be read travels as its refusal. A base (a pack of one project, or empty for none) is what
// the first record is packed against: what the chunk shares with it travels once, in the
// base, which a cluster scatters to its workers once for all chunks.
pybind11::bytes PackProjects(const pybind11::list& projects, const pybind11::bytes& base);

// Runs a pack of projects as RunMany does and packs the outcomes; base as the pack was made.
pybind11::bytes RunPacked(const pybind11::bytes& projects, bool refine, bool optimise, int threads,
                          const pybind11::bytes& base);

// The outcomes of a pack, as RunMany returns them.
pybind11::list UnpackOutcomes(const pybind11::bytes& outcomes);

}  // namespace halosoil::python
