// The main dialog as the program's only data store. Every operation takes
// the store first and reaches its data through control ids (IDC_...):
// list boxes are arrays of strings, statics and edit fields hold texts.
// Realisations: the real Win32 dialog, the Qt window, and TableStore, a keyed
// table of controls with the same semantics.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "resource.h"
#include "shell.h"

// A node of the folder tree; 0 is no node (and, as a parent, the top level).
using TreeNode = std::uintptr_t;

constexpr int NO_ENTRY = -1;       // LB_ERR
constexpr int PATH_BUFFER = 260;   // MAX_PATH: a path holds at most 259 characters

class StateStore {
 public:
  virtual ~StateStore() = default;

  // List boxes. AddEntry inserts at the sorted place ignoring case in
  // IDC_INCLUDED_LIST and IDC_EXCLUDED_LIST and appends in every other list;
  // it returns the new entry's index. InsertEntry never sorts; index -1
  // appends. DeleteEntry returns the remaining count, or NO_ENTRY for an index
  // out of range (the list is then unchanged).
  virtual int AddEntry(int id, const std::string& text) = 0;
  virtual int InsertEntry(int id, int index, const std::string& text) = 0;
  virtual int DeleteEntry(int id, int index) = 0;
  virtual void ClearList(int id) = 0;
  // The entry the user selected, or NO_ENTRY.
  virtual int SelectedEntry(int id) = 0;
  // Copies the whole entry into text and returns its length, or NO_ENTRY
  // (text emptied) for an index out of range.
  virtual int ReadEntry(int id, int index, std::string& text) = 0;
  virtual int CountEntries(int id) = 0;
  // Index of the first entry equal to text as a whole ignoring case, or NO_ENTRY.
  virtual int FindExact(int id, const std::string& text) = 0;
  // Appends the texts, each ended by a NUL, in one call, never sorting;
  // returns how many went in. A list that cannot take them all takes none
  // and answers NO_ENTRY.
  virtual int AppendEntries(int id, std::string_view texts) = 0;
  // Copies at most count entries from index first on into texts, each
  // ended by a NUL, in one call; returns how many, or NO_ENTRY (texts
  // emptied) for a first index out of range.
  virtual int ReadEntries(int id, int first, int count, std::string& texts) = 0;
  // Tells a list that entries more entries, of textBytes bytes together,
  // are coming, so that it makes room for them at once rather than growing
  // a little at a time; no entry changes.
  virtual void PrepareList(int id, int entries, std::size_t textBytes) = 0;

  // Texts of statics and edit fields. Setting the text of IDC_PLAYER_PATH or
  // IDC_MAX_SONGS delivers their change notification to the dialog procedure
  // before SetText returns. ReadText yields at most limit - 1 characters.
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string ReadText(int id, int limit) = 0;
  // Caps what the user can type; text set by the program is not capped.
  virtual void LimitTyping(int id, int characters) = 0;

  // Buttons. A disabled button delivers no command.
  virtual void EnableButton(int id, bool enabled) = 0;
  virtual bool IsButtonEnabled(int id) = 0;
  virtual void CheckButton(int id) = 0;
  virtual bool IsButtonChecked(int id) = 0;

  // Makes a status text visible at once, while the program keeps the
  // window busy.
  virtual void Repaint(int id) = 0;

  // The progress bar (IDC_PROGRESS), shown only during a scan or a copy:
  // position out of range, or busy, running without an end, for range 0.
  virtual void ShowProgressBar(int id, int position, int range) = 0;
  virtual void HideProgressBar(int id) = 0;

  // The folder tree (IDC_FOLDER_TREE). InsertNode returns the new node, or 0
  // when the tree refuses it; sorted places it among its siblings in
  // alphabetical order, otherwise it comes last.
  virtual TreeNode InsertNode(TreeNode parent, const std::string& text, int image,
                              int selectedImage, bool sorted) = 0;
  virtual void SetNodeData(TreeNode node, TreeNode data) = 0;
  virtual TreeNode NodeData(TreeNode node) = 0;
  // The node's text, at most limit - 1 characters.
  virtual std::string NodeText(TreeNode node, int limit) = 0;
  virtual TreeNode NodeParent(TreeNode node) = 0;
  virtual int NodeChildCount(TreeNode node) = 0;
  // Gives the tree its seven small images, by index: 0 folder, 1 selected
  // folder, 2 unused, 3 fixed disk, 4 removable disk, 5 CD-ROM, 6 unused.
  virtual void SetUpTreeImages() = 0;

  // The window's own calls: message boxes, file dialogs, ending.
  virtual Shell& Window() = 0;
};
