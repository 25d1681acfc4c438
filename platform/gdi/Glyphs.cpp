// FreeType glyphs, sized into the cells of the fixed text measure and kept per process.
#include "platform/gdi/Glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/core/System.h"

namespace platform::gdi {

namespace {

constexpr const char* kDefaultFontFolder = "/usr/share/fonts/truetype/dejavu";
constexpr const char* kFaceFiles[2] = {"DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf"};

// A rendered glyph: its coverage relative to the cell's top-left corner.
struct Glyph {
  bool missing = false;  // no face or no glyph: drawn as a box
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;
};

using GlyphKey = std::tuple<char32_t, int, int, bool>;

// The process's FreeType library, its two faces and the glyphs rendered so far; released with the
// process state when the device is detached.
struct GlyphState : ProcessState {
  ~GlyphState() override { Close(); }

  void Close() {
    for (FT_Face& face : faces) {
      if (face) FT_Done_Face(face);
      face = nullptr;
    }
    if (library) FT_Done_FreeType(library);
    library = nullptr;
    opened = false;
    glyphs.clear();
  }

  FT_Face Face(bool bold) {
    if (!opened) {
      opened = true;
      if (FT_Init_FreeType(&library) != 0) library = nullptr;
      for (int i = 0; library && i < 2; ++i) {
        std::string path = folder + "/" + kFaceFiles[i];
        if (FT_New_Face(library, path.c_str(), 0, &faces[i]) != 0) faces[i] = nullptr;
      }
    }
    return faces[bold ? 1 : 0] ? faces[bold ? 1 : 0] : faces[0];
  }

  std::mutex lock;
  std::string folder = kDefaultFontFolder;
  bool opened = false;
  FT_Library library = nullptr;
  FT_Face faces[2] = {nullptr, nullptr};
  std::map<GlyphKey, Glyph> glyphs;
};

GlyphState& Glyphs() {
  return System::Current().State<GlyphState>();
}

// Renders `c` scaled so that the face's advance is `width` and its ascent plus descent `height`.
Glyph Render(FT_Face face, char32_t c, int width, int height) {
  Glyph glyph;
  FT_UInt index = face ? FT_Get_Char_Index(face, c) : 0;
  if (!face || index == 0 || face->max_advance_width <= 0) {
    glyph.missing = true;
    return glyph;
  }
  long span = face->ascender - face->descender;
  FT_F26Dot6 emX =
      static_cast<FT_F26Dot6>(int64_t{width} * face->units_per_EM * 64 / face->max_advance_width);
  FT_F26Dot6 emY = static_cast<FT_F26Dot6>(int64_t{height} * face->units_per_EM * 64 / std::max(1L, span));
  if (FT_Set_Char_Size(face, emX, emY, 72, 72) != 0 ||
      FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
    glyph.missing = true;
    return glyph;
  }
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  int baseline =
      static_cast<int>((int64_t{face->ascender} * emY / 64 + face->units_per_EM / 2) / face->units_per_EM);
  glyph.left = face->glyph->bitmap_left;
  glyph.top = baseline - face->glyph->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
  for (int row = 0; row < glyph.height; ++row) {
    const unsigned char* line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
    for (int col = 0; col < glyph.width; ++col) {
      uint8_t value =
          bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((line[col / 8] >> (7 - col % 8)) & 1) * 255 : line[col];
      glyph.coverage[static_cast<size_t>(row) * glyph.width + col] = value;
    }
  }
  return glyph;
}

uint32_t Blend(uint32_t over, uint32_t under, unsigned alpha) {
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    unsigned a = (over >> shift) & 0xFF;
    unsigned b = (under >> shift) & 0xFF;
    result |= ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
  }
  return result;
}

bool IsBlank(char32_t c) {
  return c == u' ' || c == 0xA0 || c == u'\t' || c == 0x3000;
}

}  // namespace

void DrawGlyph(const Canvas& canvas, const RECT& clip, char32_t c, int x, int y, int width, int height,
               bool bold, uint32_t colour) {
  if (!canvas.bitmap || width <= 0 || height <= 0 || IsBlank(c)) return;
  RECT cell{std::max<LONG>(x, clip.left), std::max<LONG>(y, clip.top), std::min<LONG>(x + width, clip.right),
            std::min<LONG>(y + height, clip.bottom)};
  auto put = [&](int px, int py, unsigned alpha) {
    if (alpha == 0 || px < cell.left || px >= cell.right || py < cell.top || py >= cell.bottom) return;
    if (!canvas.Visible(px, py)) return;
    canvas.Put(px, py, alpha >= 255 ? colour : Blend(colour, canvas.Get(px, py), alpha));
  };
  GlyphState& state = Glyphs();
  std::lock_guard guard(state.lock);
  GlyphKey key{c, width, height, bold};
  auto found = state.glyphs.find(key);
  if (found == state.glyphs.end()) {
    found = state.glyphs.emplace(key, Render(state.Face(bold), c, width, height)).first;
  }
  const Glyph& glyph = found->second;
  if (glyph.missing) {
    // A box inside the cell: one pixel in from the sides, from a fifth of the height to the baseline.
    int left = x + 1, right = x + width - 2, top = y + height / 5, bottom = y + height - height / 5 - 1;
    if (right <= left || bottom <= top) return;
    for (int px = left; px <= right; ++px) put(px, top, 255), put(px, bottom, 255);
    for (int py = top; py <= bottom; ++py) put(left, py, 255), put(right, py, 255);
    return;
  }
  for (int row = 0; row < glyph.height; ++row) {
    for (int col = 0; col < glyph.width; ++col) {
      put(x + glyph.left + col, y + glyph.top + row,
          glyph.coverage[static_cast<size_t>(row) * glyph.width + col]);
    }
  }
}

}  // namespace platform::gdi

namespace platform {

void SetFontFolder(const std::string& folder) {
  auto& state = gdi::Glyphs();
  std::lock_guard guard(state.lock);
  state.Close();
  state.folder = folder.empty() ? gdi::kDefaultFontFolder : folder;
}

}  // namespace platform
