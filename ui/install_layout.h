#pragma once
// Where the window finds the files that come with it: beside the program in a
// build tree or a copied folder, or under "<prefix>/share/orvane/" when it is
// installed as "<prefix>/bin/orvane".
#include <QString>

namespace orvane::ui {

// The help pages' folder of the program at `programPath`: "help" beside it
// when that folder exists, else "<prefix>/share/orvane/help" when the program
// lies in "<prefix>/bin" and that folder exists, else "help" beside it (the
// message that no page opens then names it).
QString DefaultHelpDir(const QString& programPath);

}  // namespace orvane::ui
