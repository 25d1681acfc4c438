#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

constexpr size_t kTextLimit = 32767;
constexpr int kDefaultIndent = 19;
constexpr uintptr_t kNoItem = 0;

struct Node {
  std::u16string text;
  int image = 0;
  int selectedImage = 0;
  int childCount = 0;
  bool childCountSet = false;
  LPARAM param = 0;
  UINT state = 0;
  uintptr_t parent = kNoItem;
  std::vector<uintptr_t> children;
};

struct TreeState : ControlState {
  std::unordered_map<uintptr_t, Node> nodes;
  std::vector<uintptr_t> roots;
  uintptr_t caret = kNoItem;
  uintptr_t dropHilite = kNoItem;
  uintptr_t firstVisible = kNoItem;
  std::array<HIMAGELIST, 3> images{};
  int indent = kDefaultIndent;
};

// Handles of every tree in the process come from one counter, so that a deleted item's handle never
// names another item.
std::atomic<uintptr_t> nextHandle{0x100};

uintptr_t Id(HTREEITEM item) {
  return reinterpret_cast<uintptr_t>(item);
}
HTREEITEM Handle(uintptr_t id) {
  return reinterpret_cast<HTREEITEM>(id);
}

struct Tree {
  HWND window = nullptr;
  std::shared_ptr<WindowObject> object;
  TreeState* state = nullptr;

  static Tree Of(HWND window) {
    Tree tree{window, WindowManager::Current().Find(window), nullptr};
    if (tree.object && IsClass(window, WC_TREEVIEWW)) tree.state = ControlStateOf<TreeState>(window);
    return tree;
  }
  explicit operator bool() const { return state != nullptr; }

  Node* Find(uintptr_t id) {
    auto found = state->nodes.find(id);
    return found == state->nodes.end() ? nullptr : &found->second;
  }
  std::vector<uintptr_t>& ChildrenOf(uintptr_t id) {
    return id == kNoItem ? state->roots : Find(id)->children;
  }
  std::vector<uintptr_t>& SiblingsOf(uintptr_t id) { return ChildrenOf(Find(id)->parent); }

  bool IsWithin(uintptr_t id, uintptr_t ancestor) {
    for (Node* node = Find(id); node; id = node->parent, node = Find(id)) {
      if (id == ancestor) return true;
    }
    return false;
  }

  // Items in the order shown: children of expanded items only.
  void Visible(const std::vector<uintptr_t>& level, std::vector<uintptr_t>& out) {
    for (uintptr_t id : level) {
      out.push_back(id);
      Node* node = Find(id);
      if (node && (node->state & TVIS_EXPANDED)) Visible(node->children, out);
    }
  }

  TVITEMW Record(uintptr_t id) {
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    item.hItem = Handle(id);
    if (Node* node = Find(id)) {
      item.state = node->state;
      item.lParam = node->param;
    }
    return item;
  }

  LRESULT Notify(UINT code, UINT action, uintptr_t oldItem, uintptr_t newItem) {
    NMTREEVIEWW info{};
    info.action = action;
    info.itemOld = Record(oldItem);
    info.itemNew = Record(newItem);
    return NotifyParent(window, code, &info.hdr);
  }

  // Moves the caret with TVN_SELCHANGINGW (non-zero vetoes) and TVN_SELCHANGEDW; the item's parents
  // open so that it shows.
  bool Select(uintptr_t id, UINT action) {
    if (id != kNoItem && !Find(id)) return false;
    if (id == state->caret) return true;
    uintptr_t old = state->caret;
    if (Notify(TVN_SELCHANGINGW, action, old, id)) return false;
    if (id != kNoItem && !Find(id)) return false;
    if (Node* previous = Find(state->caret)) previous->state &= ~TVIS_SELECTED;
    state->caret = id;
    if (Node* node = Find(id)) {
      node->state |= TVIS_SELECTED;
      ShowItem(id);
    }
    Notify(TVN_SELCHANGEDW, action, old, id);
    return true;
  }

  void ShowItem(uintptr_t id) {
    for (Node* node = Find(Find(id)->parent); node; node = Find(node->parent)) {
      node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    }
  }

  bool HasChildren(const Node& node) const {
    return node.childCountSet ? node.childCount != 0 : !node.children.empty();
  }
};

std::u16string TextOf(LPCWSTR text) {
  if (!text || text == LPSTR_TEXTCALLBACKW) return {};
  return std::u16string(TextView(text, kTextLimit));
}

void Assign(Node& node, const TVITEMW& item) {
  if (item.mask & TVIF_TEXT) node.text = TextOf(item.pszText);
  if (item.mask & TVIF_IMAGE) node.image = item.iImage;
  if (item.mask & TVIF_SELECTEDIMAGE) node.selectedImage = item.iSelectedImage;
  if (item.mask & TVIF_PARAM) node.param = item.lParam;
  if (item.mask & TVIF_STATE) node.state = (node.state & ~item.stateMask) | (item.state & item.stateMask);
  if (item.mask & TVIF_CHILDREN) {
    node.childCount = item.cChildren;
    node.childCountSet = true;
  }
}

LRESULT InsertItem(Tree& tree, const TVINSERTSTRUCTW* insert) {
  if (!insert) return 0;
  uintptr_t parent =
      insert->hParent == nullptr || insert->hParent == TVI_ROOT ? kNoItem : Id(insert->hParent);
  if (parent != kNoItem && !tree.Find(parent)) return 0;
  Node node;
  Assign(node, insert->item);
  node.state &= ~TVIS_SELECTED;
  node.parent = parent;
  std::vector<uintptr_t>& siblings = tree.ChildrenOf(parent);
  size_t at = siblings.size();
  HTREEITEM after = insert->hInsertAfter;
  if (after == TVI_FIRST) {
    at = 0;
  } else if (after == TVI_SORT) {
    at = 0;
    while (at < siblings.size() && CompareNoCase(tree.Find(siblings[at])->text, node.text) <= 0) ++at;
  } else if (after != TVI_LAST && after != nullptr) {
    auto found = std::find(siblings.begin(), siblings.end(), Id(after));
    if (found == siblings.end()) return 0;
    at = static_cast<size_t>(found - siblings.begin()) + 1;
  }
  uintptr_t id = nextHandle.fetch_add(1);
  siblings.insert(siblings.begin() + static_cast<ptrdiff_t>(at), id);
  tree.state->nodes.emplace(id, std::move(node));
  return reinterpret_cast<LRESULT>(Handle(id));
}

void Subtree(Tree& tree, uintptr_t id, std::vector<uintptr_t>& out) {
  Node* node = tree.Find(id);
  if (!node) return;
  std::vector<uintptr_t> children = node->children;
  for (uintptr_t child : children) Subtree(tree, child, out);
  out.push_back(id);
}

void Remove(Tree& tree, uintptr_t id) {
  Node* node = tree.Find(id);
  if (!node) return;
  auto& siblings = tree.SiblingsOf(id);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
  tree.state->nodes.erase(id);
  for (uintptr_t* mark : {&tree.state->caret, &tree.state->dropHilite, &tree.state->firstVisible}) {
    if (*mark == id) *mark = kNoItem;
  }
}

LRESULT DeleteItem(Tree& tree, LPARAM item) {
  auto handle = reinterpret_cast<HTREEITEM>(item);
  std::vector<uintptr_t> doomed;
  if (handle == nullptr || handle == TVI_ROOT) {
    std::vector<uintptr_t> roots = tree.state->roots;
    for (uintptr_t root : roots) Subtree(tree, root, doomed);
  } else {
    uintptr_t id = Id(handle);
    Node* node = tree.Find(id);
    if (!node) return FALSE;
    // The selection leaves the doomed branch: to the previous sibling, else the parent, else the next.
    if (tree.IsWithin(tree.state->caret, id)) {
      auto& siblings = tree.SiblingsOf(id);
      auto at = std::find(siblings.begin(), siblings.end(), id);
      uintptr_t next = kNoItem;
      if (at != siblings.begin()) {
        next = *(at - 1);
      } else if (node->parent != kNoItem) {
        next = node->parent;
      } else if (at + 1 != siblings.end()) {
        next = *(at + 1);
      }
      tree.Select(next, TVC_UNKNOWN);
    }
    Subtree(tree, id, doomed);
  }
  for (uintptr_t id : doomed) {
    if (!tree.Find(id)) continue;
    tree.Notify(TVN_DELETEITEMW, TVC_UNKNOWN, id, kNoItem);
    Remove(tree, id);
  }
  return TRUE;
}

LRESULT NextItem(Tree& tree, WPARAM code, LPARAM item) {
  uintptr_t id = Id(reinterpret_cast<HTREEITEM>(item));
  auto answer = [](uintptr_t found) { return reinterpret_cast<LRESULT>(Handle(found)); };
  auto& roots = tree.state->roots;
  switch (code) {
    case TVGN_ROOT:
      return roots.empty() ? 0 : answer(roots.front());
    case TVGN_CARET:
      return answer(tree.state->caret);
    case TVGN_DROPHILITE:
      return answer(tree.state->dropHilite);
    case TVGN_FIRSTVISIBLE:
      return answer(tree.state->firstVisible != kNoItem ? tree.state->firstVisible
                                                        : (roots.empty() ? kNoItem : roots.front()));
    default:
      break;
  }
  if (code == TVGN_CHILD && (id == kNoItem || reinterpret_cast<HTREEITEM>(item) == TVI_ROOT)) {
    return roots.empty() ? 0 : answer(roots.front());
  }
  Node* node = tree.Find(id);
  if (!node) return 0;
  switch (code) {
    case TVGN_PARENT:
      return answer(node->parent);
    case TVGN_CHILD:
      return node->children.empty() ? 0 : answer(node->children.front());
    case TVGN_NEXT:
    case TVGN_PREVIOUS: {
      auto& siblings = tree.SiblingsOf(id);
      auto at = std::find(siblings.begin(), siblings.end(), id);
      if (code == TVGN_NEXT) return at + 1 == siblings.end() ? 0 : answer(*(at + 1));
      return at == siblings.begin() ? 0 : answer(*(at - 1));
    }
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE: {
      std::vector<uintptr_t> shown;
      tree.Visible(roots, shown);
      auto at = std::find(shown.begin(), shown.end(), id);
      if (at == shown.end()) return 0;
      if (code == TVGN_NEXTVISIBLE) return at + 1 == shown.end() ? 0 : answer(*(at + 1));
      return at == shown.begin() ? 0 : answer(*(at - 1));
    }
    default:
      return 0;
  }
}

LRESULT Expand(Tree& tree, WPARAM code, LPARAM item) {
  uintptr_t id = Id(reinterpret_cast<HTREEITEM>(item));
  Node* node = tree.Find(id);
  if (!node || !tree.HasChildren(*node)) return FALSE;
  UINT action = static_cast<UINT>(code) & TVE_ACTIONMASK;
  if (action == TVE_TOGGLE) action = node->state & TVIS_EXPANDED ? TVE_COLLAPSE : TVE_EXPAND;
  if (action == TVE_EXPAND) {
    if (node->state & TVIS_EXPANDED) return TRUE;
    // Only the first expansion tells the parent.
    bool tell = !(node->state & TVIS_EXPANDEDONCE);
    if (tell && tree.Notify(TVN_ITEMEXPANDINGW, TVE_EXPAND, kNoItem, id)) return FALSE;
    node = tree.Find(id);
    if (!node) return FALSE;
    node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    if (tell) tree.Notify(TVN_ITEMEXPANDEDW, TVE_EXPAND, kNoItem, id);
    return TRUE;
  }
  if (action != TVE_COLLAPSE) return FALSE;
  // A selection inside the closing branch moves up to the item.
  if (tree.state->caret != id && tree.IsWithin(tree.state->caret, id)) tree.Select(id, TVC_UNKNOWN);
  node = tree.Find(id);
  if (!node) return FALSE;
  node->state &= ~TVIS_EXPANDED;
  if (code & TVE_COLLAPSERESET) {
    node->state &= ~TVIS_EXPANDEDONCE;
    std::vector<uintptr_t> children = node->children;
    for (uintptr_t child : children) DeleteItem(tree, reinterpret_cast<LPARAM>(Handle(child)));
  }
  return TRUE;
}

LRESULT GetItem(Tree& tree, TVITEMW* item) {
  if (!item) return FALSE;
  Node* node = tree.Find(Id(item->hItem));
  if (!node) return FALSE;
  if ((item->mask & TVIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    BoundedCopy(item->pszText, static_cast<size_t>(item->cchTextMax), node->text);
  }
  if (item->mask & TVIF_IMAGE) item->iImage = node->image;
  if (item->mask & TVIF_SELECTEDIMAGE) item->iSelectedImage = node->selectedImage;
  if (item->mask & TVIF_PARAM) item->lParam = node->param;
  if (item->mask & TVIF_STATE) item->state = node->state & item->stateMask;
  if (item->mask & TVIF_CHILDREN)
    item->cChildren = node->childCountSet ? node->childCount : (node->children.empty() ? 0 : 1);
  return TRUE;
}

LRESULT SelectItem(Tree& tree, WPARAM code, LPARAM item) {
  uintptr_t id = Id(reinterpret_cast<HTREEITEM>(item));
  if (id != kNoItem && !tree.Find(id)) return FALSE;
  switch (code) {
    case TVGN_CARET:
      return tree.Select(id, TVC_UNKNOWN) ? TRUE : FALSE;
    case TVGN_DROPHILITE:
      if (Node* old = tree.Find(tree.state->dropHilite)) old->state &= ~TVIS_DROPHILITED;
      tree.state->dropHilite = id;
      if (Node* node = tree.Find(id)) node->state |= TVIS_DROPHILITED;
      return TRUE;
    case TVGN_FIRSTVISIBLE:
      tree.state->firstVisible = id;
      return TRUE;
    default:
      return FALSE;
  }
}

void Describe(Tree& tree, std::u16string* text) {
  if (!text) return;
  *text += u" items=" + FromUtf8(std::to_string(tree.state->nodes.size()));
  if (Node* node = tree.Find(tree.state->caret)) *text += u" sel=\"" + node->text + u"\"";
}

LRESULT TreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Tree tree = Tree::Of(window);
  if (!tree) return DefWindowProcW(window, message, wParam, lParam);
  TreeState& state = *tree.state;
  switch (message) {
    case TVM_INSERTITEMW:
      return InsertItem(tree, reinterpret_cast<const TVINSERTSTRUCTW*>(lParam));
    case TVM_DELETEITEM:
      return DeleteItem(tree, lParam);
    case TVM_GETNEXTITEM:
      return NextItem(tree, wParam, lParam);
    case TVM_SELECTITEM:
      return SelectItem(tree, wParam, lParam);
    case TVM_EXPAND:
      return Expand(tree, wParam, lParam);
    case TVM_GETITEMW:
      return GetItem(tree, reinterpret_cast<TVITEMW*>(lParam));
    case TVM_SETITEMW: {
      auto* item = reinterpret_cast<const TVITEMW*>(lParam);
      Node* node = item ? tree.Find(Id(item->hItem)) : nullptr;
      if (!node) return FALSE;
      Assign(*node, *item);
      return TRUE;
    }
    case TVM_GETITEMSTATE: {
      Node* node = tree.Find(wParam);
      return node ? static_cast<LRESULT>(node->state & static_cast<UINT>(lParam)) : 0;
    }
    case TVM_GETCOUNT:
      return static_cast<LRESULT>(state.nodes.size());
    case TVM_SETIMAGELIST: {
      if (wParam >= state.images.size()) return 0;
      HIMAGELIST old = state.images[wParam];
      state.images[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETIMAGELIST:
      return wParam < state.images.size() ? reinterpret_cast<LRESULT>(state.images[wParam]) : 0;
    case TVM_GETINDENT:
      return state.indent;
    case TVM_SETINDENT:
      state.indent = std::max(0, static_cast<int>(wParam));
      return 0;
    case TVM_ENSUREVISIBLE: {
      uintptr_t id = Id(reinterpret_cast<HTREEITEM>(lParam));
      if (!tree.Find(id)) return FALSE;
      tree.ShowItem(id);
      return TRUE;
    }
    case WM_PAINT:
      paint::PaintTreeView(window);
      return 0;
    case WM_EMU_DESCRIBE:
      Describe(tree, reinterpret_cast<std::u16string*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterTreeView() {
  RegisterSystemClass(WC_TREEVIEWW, TreeProc);
}

}  // namespace platform::ui

namespace platform {

bool UserSelectTreeItem(HWND window, HTREEITEM item) {
  ui::Tree tree = ui::Tree::Of(window);
  uintptr_t id = ui::Id(item);
  if (!tree || !tree.Find(id) || !IsWindowEnabled(window)) return false;
  return tree.Select(id, TVC_BYMOUSE);
}

}  // namespace platform
