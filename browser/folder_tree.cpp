#include "store/text.h"
#include "browser.h"
#include "platform/platform.h"

namespace {

constexpr int kFolderImage = 0;
constexpr int kSelectedFolderImage = 1;

bool IsVisibleSubfolder(const FolderEntry& entry) {
  return entry.folder && !entry.hidden && entry.name != "." && entry.name != "..";
}

// Cuts a root's text ("C:\ DISCO FISSO") to its drive name ("C:"); false,
// text unchanged, for a folder's, as no folder name holds a backslash.
bool CutRootText(std::string& text) {
  std::size_t backslash = text.find('\\');
  if (backslash == std::string::npos) return false;
  text.resize(backslash);
  return true;
}

}  // namespace

void HandleTreeSelection(StateStore& dlg, TreeNode node) {
  // The node's item data is its own handle; none when the selection went away.
  if (!node) return;
  std::string path;
  BuildNodePath(dlg, node, path);
  dlg.ClearList(IDC_SELECTED_FOLDER);
  dlg.AddEntry(IDC_SELECTED_FOLDER, path);
  dlg.EnableButton(IDC_ADD_INCLUDED, true);
  dlg.EnableButton(IDC_ADD_EXCLUDED, true);
  // A filled node is never listed again; one left empty (a drive without a
  // disc) is listed at each selection, so a disc inserted later shows.
  if (!NodeHasChildren(dlg, node)) FillSubfolders(dlg, path, node);
}

int BuildNodePath(StateStore& dlg, TreeNode node, std::string& path) {
  path = dlg.NodeText(node, PATH_BUFFER);
  if (CutRootText(path)) return 1;
  for (TreeNode current = dlg.NodeParent(node); current; current = dlg.NodeParent(current)) {
    std::string parent = dlg.NodeText(current, PATH_BUFFER);
    bool root = CutRootText(parent);
    path = parent + "\\" + path;
    if (root) break;
  }
  return 1;
}

int NodeHasChildren(StateStore& dlg, TreeNode node) { return dlg.NodeChildCount(node) > 0; }

int FillSubfolders(StateStore& dlg, const std::string& folder, TreeNode parent) {
  std::size_t units = WindowsLength(folder);
  if (units > MAX_LISTED_FOLDER) return 0;
  std::unique_ptr<FolderListing> listing = System().ListFolder(folder);
  if (!listing) return 0;
  int added = 0;
  FolderEntry entry;
  while (listing->Next(entry)) {
    if (!IsVisibleSubfolder(entry)) continue;
    // A folder whose path would not fit a path buffer could be neither
    // listed nor kept in the folder lists.
    if (units + 1 + WindowsLength(entry.name) > PATH_BUFFER - 1) continue;
    TreeNode node = dlg.InsertNode(parent, entry.name, kFolderImage, kSelectedFolderImage, true);
    if (!node) {
      dlg.Window().ShowMessage(Format("%s\n%d elementi", folder.c_str(), added), "ERRORE",
                               MESSAGE_OK);
      return 0;
    }
    dlg.SetNodeData(node, node);
    ++added;
  }
  return 0;
}
