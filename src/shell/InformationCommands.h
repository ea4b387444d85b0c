#pragma once
// The frame's About, Help Topics and Print Setup commands.

class CMainFrame;

// The user manual's contents page: what Help Topics and F1 outside a dialog show.
constexpr long HELP_CONTENTS_TOPIC = 0;

void InstallInformationCommands(CMainFrame& frame);
