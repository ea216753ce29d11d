# Writes LeafletSource.cpp: Leaflet's script and style sheet as two raw string literals.
file(READ ${SCRIPT} script)
file(READ ${STYLE} style)
foreach(text script style)
    string(FIND "${${text}}" ")leaflet\"" clash)
    if(NOT clash EQUAL -1)
        message(FATAL_ERROR "${${text}} holds the literal's delimiter")
    endif()
endforeach()
file(WRITE ${OUTPUT}
     "// Made by EmbedLeaflet.cmake from ${SCRIPT} and ${STYLE}.\n"
     "#include \"MapPage.h\"\n"
     "namespace halosoil::region {\n"
     "const char* LeafletScript() {\n    return R\"leaflet(${script})leaflet\";\n}\n"
     "const char* LeafletStyle() {\n    return R\"leaflet(${style})leaflet\";\n}\n"
     "}  // namespace halosoil::region\n")
