#include "copy_list.h"

#include "../control/run_state.h"
#include "copy_entry.h"
#include "list_reader.h"
#include "list_sections.h"
#include "setup_paths.h"
#include "source_copy.h"

static void CopyListEntry(const char* value) {
  CopyEntry entry;
  if (FormCopyEntry(value, SetupPaths.SystemDir, SetupPaths.WindowsDir, &entry))
    CopySourceFile(entry.Destination, entry.FileName);
}

void CopyFileList() { ForEachListValue(CopyListSection(OsClass), CopyListEntry); }
