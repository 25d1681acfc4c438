#include "platform/ui/WindowDump.h"

#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace platform {

namespace {

void DumpOne(HWND window, int depth, std::string& out) {
  auto object = ui::WindowManager::Current().Find(window);
  if (!object) return;
  std::u16string line(static_cast<size_t>(depth) * 2, u' ');
  line += object->windowClass->name;
  if (object->parent) line += u" #" + FromUtf8(std::to_string(object->id));
  if (int dialog = DialogTemplateId(window)) line += u" dialog " + FromUtf8(std::to_string(dialog));
  line += u" \"" + object->text + u"\"";
  const RECT& r = object->rect;
  line += FromUtf8(" (" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                   std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + ")");
  if (!(object->style & WS_VISIBLE)) line += u" hidden";
  if (object->style & WS_DISABLED) line += u" disabled";
  if (GetFocus() == window) line += u" focus";
  SendMessageW(window, WM_EMU_DESCRIBE, 0, reinterpret_cast<LPARAM>(&line));
  out += ToUtf8(line) + "\n";
  for (HWND child : std::vector<HWND>(object->children)) DumpOne(child, depth + 1, out);
}

}  // namespace

std::string DumpWindowTree(HWND root) {
  std::string out;
  if (root) {
    DumpOne(root, 0, out);
    return out;
  }
  std::vector<HWND> topLevel;
  {
    auto& manager = ui::WindowManager::Current();
    std::lock_guard guard(manager.Lock());
    topLevel = manager.TopLevel();
  }
  for (HWND window : topLevel) DumpOne(window, 0, out);
  return out;
}

}  // namespace platform
