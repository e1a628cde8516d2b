#pragma once
// A line field that suggests names (artists, authors, locations...) as the
// user types. Enter takes the suggestion: the one picked in the list, else
// the first one.

#include <QLineEdit>
#include <functional>

class QCompleter;
class QStringListModel;

class CSuggestLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CSuggestLineEdit(QWidget* parent = nullptr);

    // The names offered, in the order given; matching ignores case.
    void SetNames(const QStringList& names);
    // The names come from source when they are first needed (the field
    // takes the focus or a key, or Names() is asked): lists of every name
    // in a large library take long to make.
    void SetNamesSource(std::function<QStringList()> source);
    QStringList Names() const;

signals:
    // Enter took a suggestion into the field.
    void SuggestionTaken();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TakeNamesFromSource() const;

    mutable std::function<QStringList()> m_source;
    QStringListModel* m_names;
    QCompleter* m_completer;
};
