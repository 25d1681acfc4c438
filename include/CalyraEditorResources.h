/* The layout of a resource library: the strings, dialog templates, menus and bitmaps that the
 * component shows, as plain C tables. A resource library (libCalyraEditorResources.so is the default
 * English one) exports one function, CalyraResources_Table, that returns its table; LoadLibraryW turns
 * the table into a resource module of the window system. Text is UTF-16 (char16_t), zero-terminated. */
#ifndef CALYRA_EDITOR_RESOURCES_H
#define CALYRA_EDITOR_RESOURCES_H

#include <stdint.h>

#ifdef __cplusplus
#define CALYRA_RESOURCES_EXTERN_C extern "C"
#else
#include <uchar.h>
#define CALYRA_RESOURCES_EXTERN_C
#endif
#define CALYRA_RESOURCES_API CALYRA_RESOURCES_EXTERN_C __attribute__((visibility("default")))

/* The version of this layout; a table of another version is not read. */
#define CALYRA_RESOURCES_VERSION 1u
/* The name of the one exported entry. */
#define CALYRA_RESOURCES_ENTRY "CalyraResources_Table"

/* One string: its number and its text. */
typedef struct CalyraResourceString {
  uint32_t id;
  const char16_t* text;
} CalyraResourceString;

/* One control of a dialog template; the rectangle is in dialog units. */
typedef struct CalyraResourceDialogItem {
  const char16_t* className;
  int32_t id;
  const char16_t* text;
  uint32_t style;
  uint32_t exStyle;
  int16_t x, y, cx, cy;
} CalyraResourceDialogItem;

/* A dialog template: caption, styles, rectangle in dialog units and its controls in tab order. */
typedef struct CalyraResourceDialog {
  int32_t id;
  const char16_t* caption;
  uint32_t style;
  uint32_t exStyle;
  int16_t x, y, cx, cy;
  const CalyraResourceDialogItem* items;
  uint32_t itemCount;
} CalyraResourceDialog;

/* One entry of a menu, in menu order. An entry of depth d + 1 that follows an entry of depth d
 * belongs to that entry's popup; top-level entries have depth 0. Flags are the menu flags
 * (MF_SEPARATOR 0x800, MF_GRAYED 0x1, MF_POPUP 0x10, ...); a separator has no text. */
typedef struct CalyraResourceMenuEntry {
  const char16_t* text;
  uint32_t command;
  uint32_t flags;
  uint32_t depth;
} CalyraResourceMenuEntry;

typedef struct CalyraResourceMenu {
  int32_t id;
  const CalyraResourceMenuEntry* entries;
  uint32_t entryCount;
} CalyraResourceMenu;

/* An encoded image (BMP, PNG, GIF or JPEG file data). */
typedef struct CalyraResourceBitmap {
  int32_t id;
  const uint8_t* bytes;
  uint32_t size;
} CalyraResourceBitmap;

typedef struct CalyraResourceTable {
  uint32_t version; /* CALYRA_RESOURCES_VERSION */
  const CalyraResourceString* strings;
  uint32_t stringCount;
  const CalyraResourceDialog* dialogs;
  uint32_t dialogCount;
  const CalyraResourceMenu* menus;
  uint32_t menuCount;
  const CalyraResourceBitmap* bitmaps;
  uint32_t bitmapCount;
} CalyraResourceTable;

/* The entry of a resource library; the table lives as long as the library is loaded. */
typedef const CalyraResourceTable* (*CalyraResourcesTableFunction)(void);
CALYRA_RESOURCES_API const CalyraResourceTable* CalyraResources_Table(void);

#endif /* CALYRA_EDITOR_RESOURCES_H */
