#pragma once
// "フアイルに保存": saves the report's whole text to a file named in the save dialog.

#include "Dialogs.h"
#include "Strings.h"

// An empty report gives a warning and no dialog. Otherwise, when the user confirms a name,
// writes exactly Report.Text() to it, replacing any file there; a failure to create, write
// or close it gives a warning. Report is never changed.
void SaveReport(platform::TStrings& Report, platform::TSaveDialog& Dialog);
