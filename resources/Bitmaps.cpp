#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "resources/ResourceIds.h"
#include "resources/Resources.h"

// The bitmaps, drawn when the table is first asked for: each picture is a few shapes on a 16 x 16
// grid, placed in the cells of a strip and written as a 24-bit BMP file. The double-size strips are
// the same strips with every pixel doubled, so both sizes always show the same pictures.
namespace calyra::resources {

namespace {

enum class Shape : uint8_t {
  kFill,   // the rectangle x0..x1, y0..y1 (inclusive)
  kFrame,  // its outline
  kLine,   // from (x0, y0) to (x1, y1)
  kDisc,   // the ellipse inside the rectangle
  kRing,   // the ellipse's outline
  kErase,  // the rectangle in the strip's background colour
};

struct Stroke {
  Shape shape;
  uint32_t colour;  // 0x00RRGGBB
  int8_t x0, y0, x1, y1;
};

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kDarkGrey = 0x404040;
constexpr uint32_t kPaleGrey = 0xE0E0E0;
constexpr uint32_t kRed = 0xC00000;
constexpr uint32_t kDarkRed = 0x800000;
constexpr uint32_t kTagRed = 0xE04040;
constexpr uint32_t kBlue = 0x0050C0;
constexpr uint32_t kDarkBlue = 0x000080;
constexpr uint32_t kSky = 0x40A0F0;
constexpr uint32_t kYellow = 0xF0C000;
constexpr uint32_t kPaper = 0xFFF0A0;
constexpr uint32_t kOrange = 0xE09000;
constexpr uint32_t kBrown = 0x804000;
constexpr uint32_t kDarkGreen = 0x008000;
constexpr uint32_t kPurple = 0x800080;
constexpr uint32_t kSkin = 0xF0C090;

// Backgrounds: the toolbar's button face, and the pure green that image lists take as transparent.
constexpr uint32_t kButtonFace = 0xC0C0C0;
constexpr uint32_t kMaskGreen = 0x00FF00;

using enum Shape;

constexpr Stroke kTyping[] = {{kFill, kPaleGrey, 0, 4, 15, 12}, {kFrame, kDarkGrey, 0, 4, 15, 12},
                              {kFill, kBlack, 2, 6, 3, 7},      {kFill, kBlack, 5, 6, 6, 7},
                              {kFill, kBlack, 8, 6, 9, 7},      {kFill, kBlack, 11, 6, 13, 7},
                              {kFill, kBlack, 4, 10, 11, 10}};
constexpr Stroke kViewSwitch[] = {{kFill, kWhite, 1, 1, 9, 11},
                                  {kFrame, kDarkGrey, 1, 1, 9, 11},
                                  {kFill, kPaper, 6, 4, 14, 14},
                                  {kFrame, kBrown, 6, 4, 14, 14}};
constexpr Stroke kPen[] = {{kLine, kDarkBlue, 3, 12, 12, 3},
                           {kLine, kDarkBlue, 2, 12, 11, 3},
                           {kLine, kBlue, 4, 13, 13, 4},
                           {kFill, kBlack, 1, 13, 2, 14}};
constexpr Stroke kOk[] = {{kLine, kDarkGreen, 2, 8, 6, 12},
                          {kLine, kDarkGreen, 2, 7, 6, 11},
                          {kLine, kDarkGreen, 6, 12, 13, 3},
                          {kLine, kDarkGreen, 6, 11, 13, 2}};
constexpr Stroke kCancel[] = {{kLine, kRed, 3, 3, 12, 12},
                              {kLine, kRed, 4, 3, 13, 12},
                              {kLine, kRed, 3, 12, 12, 3},
                              {kLine, kRed, 4, 12, 13, 3}};
constexpr Stroke kAlarm[] = {{kDisc, kDarkGrey, 1, 0, 4, 3}, {kDisc, kDarkGrey, 11, 0, 14, 3},
                             {kDisc, kYellow, 2, 3, 13, 14}, {kRing, kDarkGrey, 2, 3, 13, 14},
                             {kLine, kBlack, 7, 8, 7, 5},    {kLine, kBlack, 8, 9, 10, 10}};
constexpr Stroke kDrawing[] = {
    {kLine, kBrown, 13, 2, 7, 8}, {kLine, kBrown, 14, 2, 8, 8}, {kDisc, kPurple, 2, 8, 8, 14}};
constexpr Stroke kLink[] = {{kRing, kDarkGrey, 1, 5, 8, 11},
                            {kRing, kDarkGrey, 2, 6, 7, 10},
                            {kRing, kBlue, 7, 5, 14, 11},
                            {kRing, kBlue, 8, 6, 13, 10}};
constexpr Stroke kMore[] = {
    {kDisc, kBlack, 1, 6, 4, 9}, {kDisc, kBlack, 6, 6, 9, 9}, {kDisc, kBlack, 11, 6, 14, 9}};
constexpr Stroke kDelete[] = {{kFill, kGrey, 3, 4, 12, 14},    {kFrame, kDarkGrey, 3, 4, 12, 14},
                              {kFill, kDarkGrey, 2, 2, 13, 3}, {kFill, kDarkGrey, 6, 0, 9, 1},
                              {kLine, kDarkGrey, 5, 6, 5, 12}, {kLine, kDarkGrey, 10, 6, 10, 12}};
constexpr Stroke kPhrase[] = {{kDisc, kWhite, 1, 1, 14, 11},    {kRing, kDarkBlue, 1, 1, 14, 11},
                              {kLine, kDarkBlue, 4, 10, 2, 14}, {kLine, kDarkBlue, 5, 11, 2, 14},
                              {kFill, kDarkBlue, 4, 6, 5, 7},   {kFill, kDarkBlue, 7, 6, 8, 7},
                              {kFill, kDarkBlue, 10, 6, 11, 7}};
constexpr Stroke kContact[] = {
    {kDisc, kBlue, 2, 8, 13, 19}, {kDisc, kSkin, 5, 1, 10, 7}, {kRing, kBrown, 5, 1, 10, 7}};
constexpr Stroke kAppointment[] = {{kFill, kWhite, 1, 2, 14, 14},    {kFrame, kDarkBlue, 1, 2, 14, 14},
                                   {kFill, kRed, 1, 2, 14, 5},       {kFill, kDarkGrey, 4, 0, 5, 3},
                                   {kFill, kDarkGrey, 10, 0, 11, 3}, {kFill, kBlack, 4, 8, 5, 9},
                                   {kFill, kBlack, 8, 8, 9, 9},      {kFill, kRed, 11, 8, 12, 9},
                                   {kFill, kBlack, 4, 11, 5, 12},    {kFill, kBlack, 8, 11, 9, 12}};
constexpr Stroke kTask[] = {{kFill, kWhite, 2, 2, 13, 13},     {kFrame, kDarkBlue, 2, 2, 13, 13},
                            {kLine, kDarkGreen, 4, 8, 7, 11},  {kLine, kDarkGreen, 4, 7, 7, 10},
                            {kLine, kDarkGreen, 7, 11, 12, 4}, {kLine, kDarkGreen, 7, 10, 12, 3}};
constexpr Stroke kCategory[] = {{kFill, kTagRed, 5, 3, 14, 12}, {kLine, kTagRed, 4, 4, 4, 11},
                                {kLine, kTagRed, 3, 5, 3, 10},  {kLine, kTagRed, 2, 6, 2, 9},
                                {kLine, kTagRed, 1, 7, 1, 8},   {kFill, kWhite, 6, 7, 7, 8}};
constexpr Stroke kTemplate[] = {{kFill, kWhite, 3, 1, 12, 14},
                                {kFrame, kDarkBlue, 3, 1, 12, 14},
                                {kFill, kOrange, 5, 4, 10, 5},
                                {kFill, kOrange, 7, 4, 8, 12}};
constexpr Stroke kBeam[] = {{kFill, kDarkRed, 1, 5, 4, 10},
                            {kLine, kRed, 7, 3, 9, 7},
                            {kLine, kRed, 9, 8, 7, 12},
                            {kLine, kRed, 11, 1, 14, 7},
                            {kLine, kRed, 14, 8, 11, 14}};
constexpr Stroke kFile[] = {{kFill, kWhite, 3, 1, 12, 14},   {kFrame, kDarkGrey, 3, 1, 12, 14},
                            {kFill, kPaleGrey, 9, 1, 12, 4}, {kLine, kGrey, 5, 7, 10, 7},
                            {kLine, kGrey, 5, 9, 10, 9},     {kLine, kGrey, 5, 11, 10, 11}};
constexpr Stroke kWeb[] = {{kDisc, kSky, 1, 1, 14, 14},
                           {kRing, kDarkBlue, 1, 1, 14, 14},
                           {kRing, kDarkBlue, 5, 1, 10, 14},
                           {kLine, kDarkBlue, 1, 7, 14, 7}};
constexpr Stroke kTime[] = {{kFill, kBrown, 3, 1, 12, 2},  {kFill, kBrown, 3, 13, 12, 14},
                            {kLine, kBlack, 4, 3, 7, 7},   {kLine, kBlack, 11, 3, 8, 7},
                            {kLine, kBlack, 4, 12, 7, 8},  {kLine, kBlack, 11, 12, 8, 8},
                            {kFill, kOrange, 5, 3, 10, 4}, {kFill, kOrange, 6, 10, 9, 12}};
constexpr Stroke kZoom[] = {{kDisc, kSky, 2, 2, 9, 9},      {kRing, kDarkBlue, 1, 1, 10, 10},
                            {kRing, kDarkBlue, 2, 2, 9, 9}, {kLine, kBrown, 9, 9, 14, 14},
                            {kLine, kBrown, 10, 9, 14, 13}, {kLine, kBrown, 9, 10, 13, 14}};
constexpr Stroke kUndo[] = {{kLine, kDarkBlue, 12, 12, 12, 7}, {kLine, kDarkBlue, 13, 12, 13, 7},
                            {kLine, kDarkBlue, 12, 7, 4, 7},   {kLine, kDarkBlue, 12, 6, 4, 6},
                            {kLine, kDarkBlue, 4, 6, 7, 3},    {kLine, kDarkBlue, 4, 7, 7, 10}};
constexpr Stroke kCut[] = {{kLine, kGrey, 5, 9, 11, 1},
                           {kLine, kGrey, 10, 9, 4, 1},
                           {kRing, kBlack, 1, 9, 6, 14},
                           {kRing, kBlack, 9, 9, 14, 14}};
constexpr Stroke kCopy[] = {{kFill, kWhite, 1, 1, 9, 10},
                            {kFrame, kDarkBlue, 1, 1, 9, 10},
                            {kFill, kWhite, 6, 5, 14, 14},
                            {kFrame, kDarkBlue, 6, 5, 14, 14}};
constexpr Stroke kPaste[] = {{kFill, kBrown, 2, 2, 13, 14},
                             {kFill, kWhite, 4, 4, 11, 13},
                             {kFill, kDarkGrey, 5, 1, 10, 3},
                             {kLine, kGrey, 5, 7, 10, 7},
                             {kLine, kGrey, 5, 10, 10, 10}};
constexpr Stroke kProject[] = {{kFill, kOrange, 1, 2, 6, 4},
                               {kFill, kOrange, 1, 4, 14, 13},
                               {kFrame, kBrown, 1, 4, 14, 13},
                               {kLine, kBrown, 1, 6, 14, 6}};
constexpr Stroke kNote[] = {{kFill, kPaper, 2, 1, 13, 14},
                            {kFrame, kBrown, 2, 1, 13, 14},
                            {kLine, kBlue, 4, 4, 11, 4},
                            {kLine, kBlue, 4, 7, 11, 7},
                            {kLine, kBlue, 4, 10, 9, 10}};
constexpr Stroke kAttendees[] = {{kDisc, kBlue, 0, 8, 8, 18},
                                 {kDisc, kSkin, 2, 2, 6, 6},
                                 {kDisc, kDarkGreen, 7, 7, 15, 17},
                                 {kDisc, kSkin, 9, 1, 13, 5}};
constexpr Stroke kRecurrence[] = {{kRing, kDarkGreen, 2, 2, 13, 13},
                                  {kRing, kDarkGreen, 3, 3, 12, 12},
                                  {kErase, 0, 10, 0, 15, 6},
                                  {kLine, kDarkGreen, 9, 5, 13, 5},
                                  {kLine, kDarkGreen, 13, 5, 13, 1}};
constexpr Stroke kContents[] = {{kFill, kDarkBlue, 1, 2, 3, 4},   {kLine, kBlack, 5, 3, 14, 3},
                                {kFill, kDarkBlue, 1, 7, 3, 9},   {kLine, kBlack, 5, 8, 14, 8},
                                {kFill, kDarkBlue, 1, 12, 3, 14}, {kLine, kBlack, 5, 13, 14, 13}};
constexpr Stroke kReport[] = {{kLine, kBlack, 1, 1, 1, 14},
                              {kLine, kBlack, 1, 14, 14, 14},
                              {kFill, kBlue, 3, 8, 5, 13},
                              {kFill, kRed, 7, 4, 9, 13},
                              {kFill, kDarkGreen, 11, 10, 13, 13}};

// The sample category icons.
constexpr Stroke kHome[] = {{kFill, kDarkRed, 7, 1, 8, 2},  {kLine, kDarkRed, 1, 8, 7, 2},
                            {kLine, kDarkRed, 14, 8, 8, 2}, {kFill, kPaper, 3, 8, 12, 14},
                            {kFrame, kBrown, 3, 8, 12, 14}, {kFill, kBrown, 7, 10, 8, 14}};
constexpr Stroke kWork[] = {{kFill, kBrown, 1, 5, 14, 13},
                            {kFrame, kBlack, 1, 5, 14, 13},
                            {kFrame, kBlack, 5, 2, 10, 5},
                            {kLine, kYellow, 1, 8, 14, 8}};
constexpr Stroke kStar[] = {{kLine, kOrange, 7, 1, 3, 14},  {kLine, kOrange, 8, 1, 12, 14},
                            {kLine, kOrange, 1, 6, 14, 6},  {kLine, kOrange, 1, 6, 12, 14},
                            {kLine, kOrange, 14, 6, 3, 14}, {kFill, kYellow, 6, 6, 9, 9}};
constexpr Stroke kHeart[] = {{kDisc, kRed, 1, 2, 8, 9},   {kDisc, kRed, 7, 2, 14, 9},
                             {kLine, kRed, 2, 8, 7, 14},  {kLine, kRed, 13, 8, 8, 14},
                             {kFill, kRed, 4, 8, 11, 11}, {kFill, kRed, 6, 11, 9, 13}};
constexpr Stroke kFlag[] = {
    {kLine, kDarkGrey, 2, 1, 2, 15}, {kLine, kDarkGrey, 3, 1, 3, 15}, {kFill, kDarkGreen, 4, 2, 13, 8}};
constexpr Stroke kPhone[] = {{kFill, kDarkGrey, 4, 1, 11, 14}, {kFill, kSky, 5, 2, 10, 6},
                             {kFill, kWhite, 5, 8, 6, 9},      {kFill, kWhite, 9, 8, 10, 9},
                             {kFill, kWhite, 5, 11, 6, 12},    {kFill, kWhite, 9, 11, 10, 12}};

using Picture = std::span<const Stroke>;

// The toolbar strip, in the order of the kImage* indexes.
constexpr Picture kToolbarPictures[] = {
    kTyping, kViewSwitch, kPen,     kOk,          kCancel, kAlarm,    kDrawing,  kLink,    kMore,
    kDelete, kPhrase,     kContact, kAppointment, kTask,   kCategory, kTemplate, kBeam,    kFile,
    kWeb,    kTime,       kZoom,    kUndo,        kCut,    kCopy,     kPaste,    kProject,
};
static_assert(std::size(kToolbarPictures) == 26);
static_assert(kImageProject == 25 && kImageOk == 3 && kImageCancel == 4);

// One tab image per page kind 0 to 11.
constexpr Picture kTabPictures[] = {
    kAppointment, kNote,       kCategory, kLink,     kAttendees, kTask,
    kContact,     kRecurrence, kProject,  kContents, kTime,      kReport,
};

constexpr Picture kItemPictures[] = {kAppointment, kTask, kContact, kFile, kProject, kNote, kPhrase, kWeb};
constexpr Picture kProjectPictures[] = {kAppointment, kTask, kContact, kFile, kProject, kTime};

class Canvas {
 public:
  Canvas(int width, int height, uint32_t background)
      : width_(width), height_(height), background_(background), pixels_(Index(width, height), background) {}

  void Draw(Picture picture, int left, int top) {
    for (const Stroke& stroke : picture) Draw(stroke, left, top);
  }

  // The rectangle x0..x1, y0..y1 (inclusive), anywhere on the canvas.
  void Fill(int x0, int y0, int x1, int y1, uint32_t colour) {
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) pixels_[Index(x, y)] = colour;
    }
  }

  // The same canvas with every pixel doubled.
  Canvas Doubled() const {
    Canvas doubled(width_ * 2, height_ * 2, background_);
    for (int y = 0; y < doubled.height_; ++y) {
      for (int x = 0; x < doubled.width_; ++x)
        doubled.pixels_[doubled.Index(x, y)] = pixels_[Index(x / 2, y / 2)];
    }
    return doubled;
  }

  // A 24-bit bottom-up BMP file: file header, information header, rows padded to four bytes.
  std::vector<uint8_t> Bmp() const {
    const uint32_t rowBytes = (static_cast<uint32_t>(width_) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height_);
    const uint32_t headerBytes = 14 + 40;
    std::vector<uint8_t> file;
    file.reserve(headerBytes + imageBytes);
    auto put16 = [&](uint32_t value) {
      file.push_back(static_cast<uint8_t>(value));
      file.push_back(static_cast<uint8_t>(value >> 8));
    };
    auto put32 = [&](uint32_t value) {
      put16(value & 0xFFFF);
      put16(value >> 16);
    };
    put16(0x4D42);  // "BM"
    put32(headerBytes + imageBytes);
    put32(0);
    put32(headerBytes);
    put32(40);
    put32(static_cast<uint32_t>(width_));
    put32(static_cast<uint32_t>(height_));
    put16(1);   // planes
    put16(24);  // bits per pixel
    put32(0);   // no compression
    put32(imageBytes);
    put32(2835);  // 72 dpi
    put32(2835);
    put32(0);
    put32(0);
    for (int y = height_ - 1; y >= 0; --y) {
      for (int x = 0; x < width_; ++x) {
        uint32_t colour = pixels_[Index(x, y)];
        file.push_back(static_cast<uint8_t>(colour));        // blue
        file.push_back(static_cast<uint8_t>(colour >> 8));   // green
        file.push_back(static_cast<uint8_t>(colour >> 16));  // red
      }
      for (uint32_t pad = static_cast<uint32_t>(width_) * 3; pad < rowBytes; ++pad) file.push_back(0);
    }
    return file;
  }

 private:
  size_t Index(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  }

  // Pixels outside the picture's own 16 x 16 cell are left alone, so that no picture spills into the
  // next one of a strip.
  void Plot(int left, int top, int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x > 15 || y > 15) return;
    x += left;
    y += top;
    if (x < width_ && y < height_) pixels_[Index(x, y)] = colour;
  }

  void Draw(const Stroke& s, int left, int top) {
    uint32_t colour = s.shape == kErase ? background_ : s.colour;
    switch (s.shape) {
      case kFill:
      case kErase:
        for (int y = s.y0; y <= s.y1; ++y) {
          for (int x = s.x0; x <= s.x1; ++x) Plot(left, top, x, y, colour);
        }
        break;
      case kFrame:
        for (int x = s.x0; x <= s.x1; ++x) {
          Plot(left, top, x, s.y0, colour);
          Plot(left, top, x, s.y1, colour);
        }
        for (int y = s.y0; y <= s.y1; ++y) {
          Plot(left, top, s.x0, y, colour);
          Plot(left, top, s.x1, y, colour);
        }
        break;
      case kLine: {
        // Bresenham, both ends included.
        int x = s.x0, y = s.y0;
        int dx = s.x1 > s.x0 ? s.x1 - s.x0 : s.x0 - s.x1;
        int dy = s.y1 > s.y0 ? s.y0 - s.y1 : s.y1 - s.y0;
        int stepX = s.x0 < s.x1 ? 1 : -1, stepY = s.y0 < s.y1 ? 1 : -1;
        int error = dx + dy;
        while (true) {
          Plot(left, top, x, y, colour);
          if (x == s.x1 && y == s.y1) break;
          int twice = 2 * error;
          if (twice >= dy) {
            error += dy;
            x += stepX;
          }
          if (twice <= dx) {
            error += dx;
            y += stepY;
          }
        }
        break;
      }
      case kDisc:
      case kRing:
        for (int y = s.y0; y <= s.y1; ++y) {
          for (int x = s.x0; x <= s.x1; ++x) {
            if (InEllipse(s, x, y, 0) && (s.shape == kDisc || !InEllipse(s, x, y, 1)))
              Plot(left, top, x, y, colour);
          }
        }
        break;
    }
  }

  // Whether the pixel's centre lies inside the ellipse of the stroke's rectangle shrunk by `inset`.
  static bool InEllipse(const Stroke& s, int x, int y, int inset) {
    double rx = (s.x1 - s.x0 + 1) / 2.0 - inset, ry = (s.y1 - s.y0 + 1) / 2.0 - inset;
    if (rx <= 0 || ry <= 0) return false;
    double cx = (s.x0 + s.x1 + 1) / 2.0, cy = (s.y0 + s.y1 + 1) / 2.0;
    double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
    return nx * nx + ny * ny <= 1.0;
  }

  int width_;
  int height_;
  uint32_t background_;
  std::vector<uint32_t> pixels_;
};

// A strip of square cells, each picture centred in its cell.
Canvas Strip(std::span<const Picture> pictures, int cell, uint32_t background) {
  Canvas canvas(cell * static_cast<int>(pictures.size()), cell, background);
  const int margin = (cell - 16) / 2;
  for (size_t i = 0; i < pictures.size(); ++i)
    canvas.Draw(pictures[i], static_cast<int>(i) * cell + margin, margin);
  return canvas;
}

// The contact photo frame: an outline around the 50 x 50 photo box at (1, 1) and a shadow along its
// right and bottom edges; the box and the corners beside the shadow are pure green.
Canvas PhotoFrame() {
  Canvas canvas(55, 55, kMaskGreen);
  canvas.Fill(52, 3, 54, 54, kGrey);
  canvas.Fill(3, 52, 54, 54, kGrey);
  canvas.Fill(0, 0, 51, 51, kDarkGrey);
  canvas.Fill(1, 1, 50, 50, kMaskGreen);
  return canvas;
}

struct BitmapFiles {
  std::vector<std::vector<uint8_t>> files;
  std::vector<CalyraResourceBitmap> table;

  void Add(int id, const Canvas& canvas) {
    files.push_back(canvas.Bmp());
    table.push_back({id, nullptr, 0});
  }
};

BitmapFiles DrawBitmaps() {
  BitmapFiles bitmaps;
  Canvas toolbar = Strip(kToolbarPictures, 16, kButtonFace);
  Canvas tabs = Strip(kTabPictures, 21, kMaskGreen);
  Canvas items = Strip(kItemPictures, 16, kMaskGreen);
  Canvas projects = Strip(kProjectPictures, 16, kMaskGreen);
  bitmaps.Add(kBitmapToolbar, toolbar);
  bitmaps.Add(kBitmapToolbarLarge, toolbar.Doubled());
  bitmaps.Add(kBitmapTabs, tabs);
  bitmaps.Add(kBitmapTabsLarge, tabs.Doubled());
  bitmaps.Add(kBitmapItemIcons, items);
  bitmaps.Add(kBitmapItemIconsLarge, items.Doubled());
  bitmaps.Add(kBitmapProjectIcons, projects);
  bitmaps.Add(kBitmapProjectIconsLarge, projects.Doubled());
  const std::pair<int, Picture> samples[] = {{kBitmapSampleHome, kHome}, {kBitmapSampleWork, kWork},
                                             {kBitmapSampleStar, kStar}, {kBitmapSampleHeart, kHeart},
                                             {kBitmapSampleFlag, kFlag}, {kBitmapSamplePhone, kPhone}};
  for (const auto& [id, picture] : samples) bitmaps.Add(id, Strip(std::span(&picture, 1), 16, kWhite));
  bitmaps.Add(kBitmapPhotoFrame, PhotoFrame());
  // The files no longer move once all are drawn, so the table can point into them.
  for (size_t i = 0; i < bitmaps.table.size(); ++i) {
    bitmaps.table[i].bytes = bitmaps.files[i].data();
    bitmaps.table[i].size = static_cast<uint32_t>(bitmaps.files[i].size());
  }
  return bitmaps;
}

}  // namespace

std::span<const CalyraResourceBitmap> Bitmaps() {
  static const BitmapFiles bitmaps = DrawBitmaps();
  return bitmaps.table;
}

}  // namespace calyra::resources
