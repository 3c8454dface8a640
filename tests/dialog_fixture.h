// A main dialog on the table store, the fake platform and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/dispatch.h"
#include "app/table_store.h"
#include "fake_platform.h"

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() : scope_(platform) { platform.now = 1764948667; }  // 05/12/2025 15:31:07 UTC

  // Sends the dialog's first message, after the test has set up its drives.
  void Start() { dlg.Initialise(); }

  std::vector<std::string> Entries(int id) {
    std::vector<std::string> entries(static_cast<std::size_t>(dlg.CountEntries(id)));
    for (std::size_t i = 0; i < entries.size(); ++i) dlg.ReadEntry(id, static_cast<int>(i), entries[i]);
    return entries;
  }
  std::string Text(int id) { return dlg.ReadText(id, 4096); }

  FakePlatform platform;

 private:
  PlatformScope scope_;

 protected:
  TableStore dlg{MainDialogProc};
  TempFolder temp;
};
