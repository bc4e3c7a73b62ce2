// Upper-casing of texts as the host does it: the same for every locale, code unit by code unit.
#pragma once

namespace tavrin {

// The capital of each code unit of the Basic Multilingual Plane (65536 entries); surrogates and
// units without a single-unit capital map to themselves.
const char16_t* upperCaseTable();

} // namespace tavrin
