#pragma once
// A line field that suggests names (artists, authors, locations...) as the
// user types. Enter takes the suggestion: the one picked in the list, else
// the first one.

#include <QLineEdit>

class QCompleter;
class QStringListModel;

class CSuggestLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CSuggestLineEdit(QWidget* parent = nullptr);

    // The names offered, in the order given; matching ignores case.
    void SetNames(const QStringList& names);
    QStringList Names() const;

signals:
    // Enter took a suggestion into the field.
    void SuggestionTaken();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringListModel* m_names;
    QCompleter* m_completer;
};
