// The end of every line the program writes into its input and output files: a carriage
// return and a line feed on every system, as the files have always had them.
#pragma once

namespace halosoil {

inline constexpr char kCrLf[] = "\r\n";

}  // namespace halosoil
