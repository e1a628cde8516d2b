// CItemPage is all in its header; this file gives the header its moc run.

#include "app/pages/ItemPage.h"
