// Gives the page interface its meta-object (moc runs on the header of a
// source file).
#include "app/pages/ItemPage.h"
