#pragma once
// The command ids of menus, toolbar, accelerators and hidden commands. They
// are stable numbers: the three dynamic ranges are fixed.

// Show media type t: ID_MEDIA_TYPE_FIRST + t - 1.
constexpr int ID_MEDIA_TYPE_FIRST = 45000;
constexpr int ID_MEDIA_TYPE_LAST = 45039;
// Load the library at position i of the sorted library list.
constexpr int ID_LIBRARY_FIRST = 45063;
constexpr int ID_LIBRARY_LAST = 45102;
// Open research web site i of the library's research entries.
constexpr int ID_RESEARCH_FIRST = 45162;
constexpr int ID_RESEARCH_LAST = 45201;
constexpr int MAX_DYNAMIC_ENTRIES = 40;

// VemoLibrary menu.
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_HOWTO_OVERVIEW = 45057;
constexpr int ID_HOWTO_ADD_LIBRARY = 45052;
constexpr int ID_HOWTO_SELECT_MEDIA = 45056;
constexpr int ID_HOWTO_DATA_ENTRY = 45053;
constexpr int ID_HOWTO_PRINTED_REPORTS = 45054;
constexpr int ID_HOWTO_WEB_REPORTS = 45058;
constexpr int ID_HOWTO_QA = 45055;
constexpr int ID_MORE_INFO = 45059;
constexpr int ID_HISTORY = 45051;
constexpr int ID_TECH_SUPPORT = 45048;
constexpr int ID_FEEDBACK = 45050;
constexpr int ID_PRODUCT_WEB_SITE = 45061;
constexpr int ID_SETTINGS = 45060;
constexpr int ID_APP_EXIT = 57665;

// Library menu.
constexpr int ID_LIBRARY_NEW = 45107;
constexpr int ID_LIBRARY_NOTES = 45106;
constexpr int ID_LIBRARY_RENAME = 45109;
constexpr int ID_LIBRARY_COPY = 45103;
constexpr int ID_LIBRARY_DELETE = 45104;
constexpr int ID_LIBRARY_RESTORE = 45110;
constexpr int ID_LIBRARY_IMPORT = 45105;

// Edit menu.
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_SEARCH = 45111;
constexpr int ID_EDIT_DELETE_ALL = 45043;
constexpr int ID_EDIT_CATEGORIES = 45041;
constexpr int ID_EDIT_CHECKOUT_SETTINGS = 45042;
constexpr int ID_EDIT_MEDIA_SETTINGS = 45044;
constexpr int ID_EDIT_UPDATE_LENGTH = 45045;
// The managers of the lists all libraries share.
constexpr int ID_EDIT_PERSONS = 45210;
constexpr int ID_EDIT_PUBLISHERS = 45211;
// The online look-up of the item on screen, and the undo of its last fill.
constexpr int ID_EDIT_LOOKUP = 45212;
constexpr int ID_EDIT_UNDO_LOOKUP = 45213;

// Research, View and Reports menus.
constexpr int ID_RESEARCH_MANAGE = 45202;
constexpr int ID_VIEW_SELECT_MEDIA_TYPES = 45207;
constexpr int ID_REPORTS_CUSTOM_PRINT = 45158;
constexpr int ID_REPORTS_CUSTOM_WEB = 45160;
constexpr int ID_REPORTS_INVENTORY = 45113;
constexpr int ID_REPORTS_RESERVED = 45141;
constexpr int ID_REPORTS_CHECKED_OUT = 45139;
constexpr int ID_REPORTS_PRINT_SETTINGS = 45161;

// Hidden commands and accelerators without a menu entry.
constexpr int ID_UPGRADE_NOTICE = 45040;
constexpr int ID_SAVE_GLOBAL_MANAGERS = 45206;
constexpr int ID_HELP = 57670;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_NEW_ITEM = 45151;
constexpr int ID_NEW_SUB_ITEM = 45154;
constexpr int ID_NEXT_ITEM = 45155;
constexpr int ID_PREVIOUS_ITEM = 45156;

constexpr int MediaTypeCommand(int mediaType)
{
    return ID_MEDIA_TYPE_FIRST + mediaType - 1;
}
