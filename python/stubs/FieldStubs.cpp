// Writes the package's type stub from its template: each line "@PROJECT_FIELDS@",
// "@RESULT_SERIES@" and "@RESULT_ZONES@" becomes the attributes of the core's tables of
// fields (Fields.h), at the line's indent, so that the stub says what the classes hold; the
// template's own comments, lines that begin with "#@", are left out.
//
// usage: halosoil_field_stubs TEMPLATE OUTPUT

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "Fields.h"

namespace halosoil::python {

namespace {

// The annotation of a project field's kind: text, whole, flag, number, zones, series.
const char* ProjectType(const ProjectField& field) {
    static const char* const types[] = {"str",    "int", "bool", "float", "dict[str, float]",
                                        "_Series"};
    return types[field.member.index()];
}

std::string ProjectLines(const std::string& indent) {
    std::string lines;
    for (const ProjectField& field : ProjectFields())
        lines += indent + field.name + ": " + ProjectType(field) + "\n";
    return lines;
}

// The results of the water balance, one array each; the salinities are one dict of them.
std::string ResultLines(const std::string& indent, bool zones) {
    std::string lines;
    for (const ResultField& field : ResultFields()) {
        if (!zones && field.zone == 0) lines += indent + field.name + ": _Series\n";
        if (zones && field.zone == Layer1) lines += indent + field.name + ": dict[str, _Series]\n";
    }
    return lines;
}

// The line as the stub has it: a placeholder replaced, a comment of the template left out,
// any other line as it stands.
std::string StubLine(const std::string& line) {
    if (line.starts_with("#@")) return "";
    const std::size_t at = line.find('@');
    if (at == std::string::npos) return line + "\n";
    const std::string indent = line.substr(0, at);
    const std::string placeholder = line.substr(at);
    if (placeholder == "@PROJECT_FIELDS@") return ProjectLines(indent);
    if (placeholder == "@RESULT_SERIES@") return ResultLines(indent, false);
    if (placeholder == "@RESULT_ZONES@") return ResultLines(indent, true);
    return line + "\n";
}

}  // namespace

}  // namespace halosoil::python

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: halosoil_field_stubs TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "halosoil_field_stubs: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::string stub;
    for (std::string line; std::getline(in, line);) stub += halosoil::python::StubLine(line);
    std::ofstream out(argv[2], std::ios::binary);
    out << stub;
    out.close();
    if (!out) {
        std::cerr << "halosoil_field_stubs: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
