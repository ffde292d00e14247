// How deeply an XML text nests its elements, counted before a recursive parser sees it.
#pragma once

#include <string_view>

// Deeper files are refused: the parser walks each level on the stack, and a few million nested
// tags would overflow it. Real files of the games nest three or four levels.
constexpr int MAX_ANIDAMIENTO_XML = 256;

// An upper bound of the element nesting of `texto`: tags are read with their quoted attributes,
// comments, CDATA sections, declarations and instructions are skipped, and anything that looks
// like an opening tag counts as one.
int anidamientoXml(std::string_view texto);

bool xmlDemasiadoAnidado(std::string_view texto);
