#pragma once
// Commands whose feature is not in this version yet say so instead of
// doing nothing.

#include <QString>

class QWidget;

class CNotAvailableDlg {
public:
    // command is the menu text ("&Search...\tCtrl+F" is shown as "Search").
    static void Show(QWidget* parent, const QString& command);
    static QString Text(const QString& command);
    static QString CleanCommandText(const QString& command);
};
