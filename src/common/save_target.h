// The rules a file name passes before anything is written to it, one place for every front end: a device, pipe
// or socket is refused, an existing file is replaced only after a Yes, a name without an extension may get one.
#pragma once

#include "common/report.h"
#include "common/text.h"

#include <filesystem>

namespace quirlwerk::common {

struct SaveRules {
    TextView subject;          // how the messages name the file: "Die Outputdatei"
    TextView replaceQuestion;  // follows the quoted name when an ordinary file is there; empty: replaced unasked
    TextView extension = {};   // added to a file name without one; empty: none
};

// The hex file run's output, the window's "Bild speichern unter …" and quirlwerk-cli's --png (scripts name
// their files on purpose: no question).
inline constexpr SaveRules hexFileOutput{u"Die Outputdatei", u"'' existiert bereits! Soll sie überschrieben werden?"};
inline constexpr SaveRules pictureFile{u"Die Datei", u"'' existiert bereits. Soll sie ersetzt werden?", u".png"};
inline constexpr SaveRules pngOption{u"Die PNG-Datei", u""};

enum class SaveDecision { Write, Refused, Declined };

struct SaveTarget {
    SaveDecision decision;
    Text name;                    // as typed, with the extension added
    std::filesystem::path path;   // the name as the file system takes it
};

// Refusals are shown as an exclamation box, the question as a Yes/No question; nothing is written here.
SaveTarget checkSaveTarget(TextView name, const SaveRules& rules, Reporter& reporter);

} // namespace quirlwerk::common
