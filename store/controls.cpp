#include "controls.h"

#include <vector>

#include "resource.h"

// The traits, when any, come last.
#define CONTROL(id, kind, visible, partner, ...) \
  {id, #id, ControlKind::kind, visible, partner, unsigned{__VA_ARGS__}}

const ControlInfo kControls[] = {
    CONTROL(IDC_ORDER_NO_REPEAT, List, false, 0),
    CONTROL(IDC_ORDER_WITH_REPEAT, List, false, 0),
    CONTROL(IDC_SONG_NAMES, List, false, 0),
    CONTROL(IDC_SONG_FOLDERS, List, false, 0),
    CONTROL(IDC_SONG_EXTS, List, false, 0),
    CONTROL(IDC_SONG_SIZES, List, false, 0),
    CONTROL(IDC_CLUSTER_BYTES, Static, false, 0),
    CONTROL(IDC_SONG_COUNT, Static, false, 0),
    CONTROL(IDC_SONGS_TOTAL, Static, false, 0),
    CONTROL(IDC_RECOVERABLE_BYTES, Static, false, 0),
    CONTROL(IDC_FREE_BYTES, Static, false, 0),
    CONTROL(IDC_PLAYLIST_PATH, Static, false, 0),
    CONTROL(IDC_MODIFIED_FLAG, Static, false, 0),
    CONTROL(IDC_FOLDER_TREE, Tree, true, 0),
    CONTROL(IDC_INCLUDED_LIST, SortedList, true, 0),
    CONTROL(IDC_EXCLUDED_LIST, SortedList, true, 0),
    CONTROL(IDC_SELECTED_FOLDER, List, true, 0, TRAIT_SILENT),
    CONTROL(IDC_PLAYER_PATH, Edit, true, 0),
    CONTROL(IDC_MAX_SONGS, Edit, true, 0, TRAIT_DIGITS_ONLY),
    CONTROL(IDC_REPEAT_FORBIDDEN, RadioButton, true, IDC_REPEAT_ALLOWED),
    CONTROL(IDC_REPEAT_ALLOWED, RadioButton, true, IDC_REPEAT_FORBIDDEN),
    CONTROL(IDC_CLEAR_BEFORE, RadioButton, true, IDC_KEEP_EXISTING),
    CONTROL(IDC_KEEP_EXISTING, RadioButton, true, IDC_CLEAR_BEFORE),
    CONTROL(IDC_ADD_INCLUDED, PushButton, true, 0),
    CONTROL(IDC_REMOVE_INCLUDED, PushButton, true, 0),
    CONTROL(IDC_CHOOSE_PLAYER, PushButton, true, 0),
    CONTROL(IDC_ADD_EXCLUDED, PushButton, true, 0),
    CONTROL(IDC_REMOVE_EXCLUDED, PushButton, true, 0),
    CONTROL(IDC_FINISH, PushButton, true, 0),
    CONTROL(IDC_OPEN_PLAYLIST, PushButton, true, 0),
    CONTROL(IDC_SAVE, PushButton, true, 0),
    CONTROL(IDC_SAVE_AS, PushButton, true, 0),
    CONTROL(IDC_SHUFFLE_COPY, PushButton, true, 0),
    CONTROL(IDC_PROGRESS, Progress, true, 0),
    CONTROL(IDC_CATALOGUE_INFO, Static, true, 0),
    CONTROL(IDC_COMPILATION_INFO, Static, true, 0),
    CONTROL(IDC_STATUS_LINE, Static, true, 0),
};

const std::size_t kControlCount = sizeof kControls / sizeof kControls[0];

int ControlIndex(int id) {
  static const std::vector<int> slots = [] {
    std::vector<int> byId;
    for (std::size_t i = 0; i < kControlCount; ++i) {
      auto id = static_cast<std::size_t>(kControls[i].id);
      if (id >= byId.size()) byId.resize(id + 1, -1);
      byId[id] = static_cast<int>(i);
    }
    return byId;
  }();
  return id >= 0 && static_cast<std::size_t>(id) < slots.size() ? slots[static_cast<std::size_t>(id)] : -1;
}

const ControlInfo* FindControl(int id) {
  int index = ControlIndex(id);
  return index < 0 ? nullptr : &kControls[index];
}
