#pragma once
// The basic printed report of a media type in the main window: its rows in
// the report grid, with buttons to print it and to preview the print.

#include "app/views/View.h"

class CReportGrid;
class QLabel;
class QPrinter;

class CReportView : public CView {
    Q_OBJECT

public:
    // A view without a media type of its own: the type's button brings
    // the media view back.
    CReportView(CVemoLibraryDoc* doc, int reportType, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    void OnUpdate(int hint) override;

    int GetReportType() const { return m_reportType; }
    CReportGrid* GetGrid() const { return m_grid; }
    // The run's problem, empty when it ran.
    QString GetError() const;

    void Print();
    void PrintPreview();
    void PrintTo(QPrinter& printer) const;

private:
    void Run();

    int m_reportType;
    CReportGrid* m_grid;
    QLabel* m_error;
};
