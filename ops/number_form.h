#pragma once

#include <optional>
#include <string_view>

#include "core/platform/digest.h"

namespace zelvane {

// How each number of a number file is written: as it is; as the lowercase hex of its MD5 or SHA-256
// (the upload format of advertising platforms); or masked, for showing a list without giving it away.
// A number here is the normalised token the lists hold: 13912345678, or a landline with its 0 and area
// code, 075512345678.
enum class NumberForm { Plain, Md5, Sha256, Masked };

// "md5" or "sha256" as the command line names them; nothing for another name.
std::optional<NumberForm> FormNamed(std::string_view name);

// The digest of a hashed form; nothing for Plain and Masked.
std::optional<DigestKind> DigestOfForm(NumberForm form);

// Whether this system's library has the form's digest (one that runs in FIPS mode may leave MD5 out);
// true for the forms that need none.
bool FormAvailable(NumberForm form);

// Whether a token is a number that a hashed or masked form writes: digits only. Other 其他 tokens (text,
// junk bytes) are left out of such files and counted.
bool WrittenInForm(std::string_view token);

// number (digits) masked into out, which takes number.size() bytes: the four digits before the last
// four become "*", as many as there are (138****8000, 0755****5678, 010****5678, 9****5588); a number
// of four digits or fewer, a fragment of one written in groups, is all "*".
void WriteMasked(std::string_view number, char* out);

}  // namespace zelvane
