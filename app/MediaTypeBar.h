#pragma once
// The button bar on the left edge: one button per media type the library
// shows, labelled with the type's abbreviation, in alphabetical order of
// the type names; the button of the type on screen is pressed.

#include <QList>
#include <QToolBar>

class CMediaTypeSelection;
class QButtonGroup;
class QToolButton;

class CMediaTypeBar : public QToolBar {
    Q_OBJECT

public:
    explicit CMediaTypeBar(QWidget* parent = nullptr);

    // Buttons for the shown types of selection (none for null).
    void Rebuild(const CMediaTypeSelection* selection);
    // Presses the button of the type; with no such button none is pressed.
    void SetPressed(int mediaType);
    int GetPressed() const;
    // The media types of the buttons, top to bottom.
    QList<int> ButtonTypes() const;
    QStringList ButtonLabels() const;
    QToolButton* ButtonFor(int mediaType) const;

signals:
    void MediaTypeClicked(int mediaType);

private:
    QButtonGroup* m_group;
    QList<QToolButton*> m_buttons;
};
