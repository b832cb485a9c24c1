#pragma once

namespace notes {

// The forms and style sheets name Windows fonts; here they are drawn with the
// installed CJK fonts of the same kind.
void installFontSubstitutes();

} // namespace notes
