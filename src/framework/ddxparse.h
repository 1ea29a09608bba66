// How data exchange reads a whole number from an edit box: blanks and tabs
// may stand around it, a plus sign may lead, a minus sign only where the
// value is signed; anything else makes the text unreadable. Standard C++
// only, so that the rules can be checked on their own.
#pragma once

#include <optional>
#include <string_view>

// The number, or nothing when the text does not follow the rules. Numbers
// too large for any field come back saturated (far outside every range) so
// that the caller's range check refuses them.
std::optional<long long> AfxParseDialogInteger(std::string_view text, bool allowMinus);
