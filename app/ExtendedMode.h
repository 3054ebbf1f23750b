#pragma once
// The extended analysis in the window: a checkable command in the report memo's context
// menu switches it on and off, the caption says when it is on, and the choice is
// remembered between runs. While it is off, the window is exactly as without it.

#include <string>

#include "AnalysisState.h"
#include "LoadFile.h"
#include "Strings.h"

class TForm1;

// The command's caption and the suffix of the main window's caption while it is on.
extern const char kExtendedCommandCaption[];
extern const char kExtendedCaptionSuffix[];

// Adds the command to Form's memo, once its caption is set, and takes the remembered
// choice, or turns the extended analysis on for this run when OnForThisRun.
void InstallExtendedCommand(TForm1& Form, bool OnForThisRun);

bool ExtendedAnalysisOn();

// Switches the extended analysis and the caption; Remember keeps the choice for later runs.
void SetExtendedAnalysis(TForm1& Form, bool On, bool Remember);

// The file-selection command's analysis and refusal message in the current mode.
LoadOutcome LoadAndAnalyzeInMode(AnalysisState& State, platform::TStrings& Report);
std::string RefusalMessageInMode(LoadOutcome Outcome);
