#pragma once
// Message boxes and Qt's own dialogs take the application's font, not the
// font of the window they belong to. Where that font has no Japanese glyphs,
// their text falls back to whichever installed face has them, which need not
// be the face the windows use.
class QString;

namespace platform {

// Every window, box and Qt dialog draws in `family` from now on, at the sizes
// Qt gives them; a font a window sets for itself stays as it is.
void UseFontFamilyEverywhere(const QString &family);

} // namespace platform
