#include "win32_store.h"

#include <algorithm>
#include <cwchar>

#include "platform/win32/wide.h"
#include "store/controls.h"

namespace {

// The program's UTF-8 as the control's own text, for the length of a message.
class Text {
 public:
  explicit Text(const std::string& text) : wide_(Widen(text)) {}
  operator LPARAM() const { return reinterpret_cast<LPARAM>(wide_.c_str()); }

 private:
  std::wstring wide_;
};

HTREEITEM Item(TreeNode node) { return reinterpret_cast<HTREEITEM>(node); }

bool IsHiddenList(int id) {
  const ControlInfo* control = FindControl(id);
  return control && !control->visible && control->kind == ControlKind::List;
}

// Wine 8's list box gives back, at each insertion, any room beyond the next
// 32 entries, so the room made for a batch is lost at its first entry and
// the array grows 16 entries at a time; once it passes a megabyte, its
// growth copies it whole into a new block again and again. Asked for as
// many entries again as it holds, it moves once into a block that later
// insertions shrink and grow in place: asking each time the count doubles
// makes the growth geometric. Windows keeps the batch's room, and these
// asks add at most as many entries as the list holds, without text (the
// batch asked for that).
constexpr LRESULT kDoublingFrom = 1024;

// Reading an entry takes two messages, its length and then its text, unless
// the list's longest text is known: each list box keeps in GWLP_USERDATA one
// more than the longest text put in since the store last emptied it (in
// UTF-8 bytes, never fewer than its UTF-16 units), or 0, as the template
// makes it, when that is not known. Every change to a list goes through a
// store, so the bound holds; under Wine it halves the cost of a read.
LONG_PTR Room(HWND list) { return GetWindowLongPtrW(list, GWLP_USERDATA); }

void NoteText(HWND list, std::size_t bytes) {
  LONG_PTR room = Room(list);
  if (room > 0 && static_cast<std::size_t>(room) <= bytes) {
    SetWindowLongPtrW(list, GWLP_USERDATA, static_cast<LONG_PTR>(bytes) + 1);
  }
}

// Appends the text of the entry at index to wide; LB_ERR for an index out
// of range, which appends nothing.
LRESULT AppendText(HWND list, WPARAM index, LONG_PTR room, std::wstring& wide) {
  LRESULT length = room > 0 ? room - 1 : SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return LB_ERR;
  std::size_t at = wide.size();
  wide.resize(at + static_cast<std::size_t>(length) + 1);
  LRESULT copied = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[at]));
  wide.resize(at + static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return copied;
}

}  // namespace

HWND Win32Store::Control(int id) {
  HWND& control = controls_[id];
  if (!control) control = GetDlgItem(dialog_, id);
  return control;
}

LRESULT Win32Store::Send(int id, UINT message, WPARAM wparam, LPARAM lparam) {
  return SendMessageW(Control(id), message, wparam, lparam);
}

int Win32Store::AddEntry(int id, const std::string& text) {
  NoteText(Control(id), text.size());
  return static_cast<int>(Send(id, LB_ADDSTRING, 0, Text(text)));
}

int Win32Store::InsertEntry(int id, int index, const std::string& text) {
  NoteText(Control(id), text.size());
  return static_cast<int>(Send(id, LB_INSERTSTRING, static_cast<WPARAM>(index), Text(text)));
}

int Win32Store::DeleteEntry(int id, int index) {
  return static_cast<int>(Send(id, LB_DELETESTRING, static_cast<WPARAM>(index)));
}

void Win32Store::ClearList(int id) {
  Send(id, LB_RESETCONTENT);
  SetWindowLongPtrW(Control(id), GWLP_USERDATA, 1);  // known: nothing is longer than ""
}

int Win32Store::SelectedEntry(int id) { return static_cast<int>(Send(id, LB_GETCURSEL)); }

int Win32Store::ReadEntry(int id, int index, std::string& text) {
  HWND list = Control(id);
  std::wstring wide;
  LRESULT copied = AppendText(list, static_cast<WPARAM>(index), Room(list), wide);
  text = Narrow(wide.data(), wide.size());
  return copied == LB_ERR ? NO_ENTRY : static_cast<int>(text.size());
}

int Win32Store::CountEntries(int id) { return static_cast<int>(Send(id, LB_GETCOUNT)); }

int Win32Store::FindExact(int id, const std::string& text) {
  return static_cast<int>(Send(id, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Text(text)));
}

int Win32Store::AppendEntries(int id, std::string_view texts) {
  int count = 0;
  std::size_t longest = 0;
  for (std::size_t start = 0, end; (end = texts.find('\0', start)) != std::string_view::npos; start = end + 1) {
    longest = std::max(longest, end - start);
    ++count;
  }
  NoteText(Control(id), longest);
  PrepareList(id, count, texts.size());
  // One conversion for all: each NUL stays the end of its text.
  std::wstring wide = Widen(std::string(texts));
  const LRESULT first = Send(id, LB_GETCOUNT);
  LRESULT held = first;
  for (std::size_t start = 0, end; (end = wide.find(L'\0', start)) != std::wstring::npos;
       start = end + 1, ++held) {
    if (held >= kDoublingFrom && (held & (held - 1)) == 0) {
      Send(id, LB_INITSTORAGE, static_cast<WPARAM>(held), 0);
    }
    if (Send(id, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&wide[start])) < 0) {
      for (LRESULT last = Send(id, LB_GETCOUNT) - 1; last >= first; --last) {
        Send(id, LB_DELETESTRING, static_cast<WPARAM>(last));
      }
      return NO_ENTRY;
    }
  }
  return count;
}

int Win32Store::ReadEntries(int id, int first, int count, std::string& texts) {
  texts.clear();
  int total = CountEntries(id);
  if (first < 0 || first >= total || count < 0) return NO_ENTRY;
  int end = first + std::min(count, total - first);
  HWND list = Control(id);
  LONG_PTR room = Room(list);
  std::wstring wide;
  for (int i = first; i < end; ++i) {
    AppendText(list, static_cast<WPARAM>(i), room, wide);
    wide.push_back(L'\0');
  }
  texts = Narrow(wide.data(), wide.size());  // one conversion for all
  return end - first;
}

// A list box grows its array of entries a few at a time and copies it as
// it moves; LB_INITSTORAGE makes the room at once (under Wine, see
// kDoublingFrom). A hidden list is never drawn, so it is not redrawn as it
// fills either.
void Win32Store::PrepareList(int id, int entries, std::size_t textBytes) {
  if (entries <= 0) return;
  if (IsHiddenList(id)) Send(id, WM_SETREDRAW, FALSE);
  Send(id, LB_INITSTORAGE, static_cast<WPARAM>(entries),
       static_cast<LPARAM>(textBytes * sizeof(wchar_t)));
}

void Win32Store::SetText(int id, const std::string& text) { Send(id, WM_SETTEXT, 0, Text(text)); }

std::string Win32Store::ReadText(int id, int limit) {
  if (limit < 1) return std::string();
  std::wstring buffer(static_cast<std::size_t>(limit), L'\0');
  LRESULT copied = Send(id, WM_GETTEXT, static_cast<WPARAM>(limit),
                        reinterpret_cast<LPARAM>(&buffer[0]));
  return Narrow(buffer.c_str(), wcsnlen(buffer.c_str(), static_cast<std::size_t>(copied)));
}

void Win32Store::LimitTyping(int id, int characters) {
  Send(id, EM_LIMITTEXT, static_cast<WPARAM>(characters));
}

void Win32Store::EnableButton(int id, bool enabled) { EnableWindow(Control(id), enabled); }

bool Win32Store::IsButtonEnabled(int id) { return IsWindowEnabled(Control(id)) != 0; }

void Win32Store::CheckButton(int id) { Send(id, BM_SETCHECK, BST_CHECKED); }

// What IsDlgButtonChecked asks, without looking the button up again.
bool Win32Store::IsButtonChecked(int id) { return Send(id, BM_GETCHECK) != 0; }

void Win32Store::Repaint(int id) { UpdateWindow(Control(id)); }

// A busy bar is the marquee style, whose animation runs on the bar's own
// timer; a bar with an end has the style taken away again.
void Win32Store::ShowProgressBar(int id, int position, int range) {
  HWND bar = Control(id);
  LONG style = GetWindowLongW(bar, GWL_STYLE);
  bool busy = range <= 0, wasBusy = (style & PBS_MARQUEE) != 0;
  if (busy != wasBusy) SetWindowLongW(bar, GWL_STYLE, busy ? style | PBS_MARQUEE : style & ~PBS_MARQUEE);
  if (busy != wasBusy) Send(id, PBM_SETMARQUEE, busy, 30);
  if (!busy) {
    Send(id, PBM_SETRANGE32, 0, range);
    Send(id, PBM_SETPOS, static_cast<WPARAM>(position));
  }
  if (!(style & WS_VISIBLE)) ShowWindow(bar, SW_SHOWNA);
}

void Win32Store::HideProgressBar(int id) {
  HWND bar = Control(id);
  LONG style = GetWindowLongW(bar, GWL_STYLE);
  if (style & PBS_MARQUEE) {
    Send(id, PBM_SETMARQUEE, FALSE, 0);
    SetWindowLongW(bar, GWL_STYLE, style & ~PBS_MARQUEE);
  }
  ShowWindow(bar, SW_HIDE);
}

LRESULT Win32Store::SendTree(UINT message, WPARAM wparam, TVITEMW& item) {
  return Send(IDC_FOLDER_TREE, message, wparam, reinterpret_cast<LPARAM>(&item));
}

TreeNode Win32Store::InsertNode(TreeNode parent, const std::string& text, int image,
                                int selectedImage, bool sorted) {
  std::wstring wide = Widen(text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent ? Item(parent) : TVI_ROOT;
  insert.hInsertAfter = sorted ? TVI_SORT : TVI_LAST;
  // Nodes placed last (the drive roots) start with item data 0; sorted ones
  // (folders) get theirs when it is set.
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | (sorted ? 0 : TVIF_PARAM);
  insert.item.pszText = &wide[0];
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  insert.item.lParam = 0;
  return static_cast<TreeNode>(
      Send(IDC_FOLDER_TREE, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Win32Store::SetNodeData(TreeNode node, TreeNode data) {
  TVITEMW item{};
  item.mask = TVIF_PARAM;
  item.hItem = Item(node);
  item.lParam = static_cast<LPARAM>(data);
  SendTree(TVM_SETITEMW, 0, item);
}

TreeNode Win32Store::NodeData(TreeNode node) {
  TVITEMW item{};
  item.mask = TVIF_PARAM;
  item.hItem = Item(node);
  return SendTree(TVM_GETITEMW, 0, item) ? static_cast<TreeNode>(item.lParam) : 0;
}

std::string Win32Store::NodeText(TreeNode node, int limit) {
  if (limit < 1) return std::string();
  std::wstring buffer(static_cast<std::size_t>(limit), L'\0');
  TVITEMW item{};
  item.mask = TVIF_TEXT;
  item.hItem = Item(node);
  item.pszText = &buffer[0];
  item.cchTextMax = limit;
  if (!SendTree(TVM_GETITEMW, 0, item)) return std::string();
  // The tree may answer with a pointer to its own copy of the text.
  const wchar_t* text = item.pszText ? item.pszText : L"";
  return Narrow(text, wcsnlen(text, static_cast<std::size_t>(limit - 1)));
}

TreeNode Win32Store::NodeParent(TreeNode node) {
  return static_cast<TreeNode>(Send(IDC_FOLDER_TREE, TVM_GETNEXTITEM, TVGN_PARENT,
                                    reinterpret_cast<LPARAM>(Item(node))));
}

int Win32Store::NodeChildCount(TreeNode node) {
  TVITEMW item{};
  item.mask = TVIF_CHILDREN;
  item.hItem = Item(node);
  return SendTree(TVM_GETITEMW, 0, item) ? item.cChildren : 0;
}

void Win32Store::SetUpTreeImages() {
  InitCommonControls();
  HIMAGELIST images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       ILC_COLOR32, 4, 4);
  LoadTreeImages(images);
  Send(IDC_FOLDER_TREE, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

int LoadTreeImages(HIMAGELIST images) {
  ImageList_SetBkColor(images, GetSysColor(COLOR_WINDOW));
  HMODULE shell = LoadLibraryA("shell32.dll");
  for (int id : {4, 5, 6, 8, 9, 12, 16}) {
    HICON icon = shell ? LoadIconA(shell, MAKEINTRESOURCEA(id)) : nullptr;
    // A missing icon leaves a blank image, so that the later indexes hold.
    if (!icon || ImageList_ReplaceIcon(images, -1, icon) < 0) {
      ImageList_SetImageCount(images, static_cast<UINT>(ImageList_GetImageCount(images) + 1));
    }
  }
  if (shell) FreeLibrary(shell);
  return 0;
}
