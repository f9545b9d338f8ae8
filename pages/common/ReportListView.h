// A report-style list view as pages use them: named columns, single whole-row selection, optional
// check boxes in front of the rows, and a click on empty space that clears the selection.
#pragma once

#include <QStringList>
#include <QTreeWidget>

class ReportListView : public QTreeWidget
{
    Q_OBJECT

public:
    struct Column
    {
        QString caption;
        int width = -1; ///< -1: fitted to the caption; 0: a hidden column
    };

    explicit ReportListView(QWidget *parent = nullptr);

    /// Replaces the columns.
    void setColumns(const QList<Column> &columns);

    /// Check boxes in front of new rows (the first column's check state).
    void setRowCheckBoxes(bool on) { m_checkBoxes = on; }

    bool rowCheckBoxes() const { return m_checkBoxes; }

    /// Appends a row: the first text as the row caption, the others as sub-items.
    QTreeWidgetItem *addRow(const QStringList &texts);

    /// The selected row's position, -1 for none.
    int selectedRow() const;
    /// Selects row `row` (-1: none) as a program does: no rowClicked.
    void selectRow(int row);
    /// The text of column `column` in row `row`; empty outside the list.
    QString cell(int row, int column) const;

    /// What the operator's click does: selects row `row`, or clears the selection for -1 (empty
    /// space), then tells the page.
    void operatorClick(int row);

signals:
    /// The operator clicked a row (its position) or the empty space below the rows (-1), or
    /// moved the selection with the keyboard.
    void rowClicked(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_checkBoxes = false;
};
