// The one clean-up that every ending of a run calls.
#pragma once

// Makes the start-up directory current again, puts SourcePath back and
// unloads the setup libraries. Acts once, however many endings reach it.
void FinalCleanup();
