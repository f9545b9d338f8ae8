// Report list views.
#include "ReportListView.h"

#include "ControlKind.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

ReportListView::ReportListView(QWidget *parent) : QTreeWidget(parent)
{
    setUpReportView(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRootIsDecorated(false);
    setColumnCount(0);
}

void ReportListView::setColumns(const QList<Column> &columns)
{
    QStringList captions;
    for (const Column &c : columns) {
        captions.append(c.caption);
    }
    setColumnCount(static_cast<int>(columns.size()));
    setHeaderLabels(captions);
    const QFontMetrics metrics(header()->font());
    for (int k = 0; k < columns.size(); ++k) {
        const Column &c = columns.at(k);
        setColumnHidden(k, c.width == 0);
        if (c.width != 0) {
            setColumnWidth(k, c.width > 0 ? c.width : metrics.horizontalAdvance(c.caption) + 16);
        }
    }
}

QTreeWidgetItem *ReportListView::addRow(const QStringList &texts)
{
    auto *item = new QTreeWidgetItem(this, texts);
    if (m_checkBoxes) {
        item->setCheckState(0, Qt::Unchecked);
    }
    return item;
}

int ReportListView::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void ReportListView::selectRow(int row)
{
    QTreeWidgetItem *item = row >= 0 ? topLevelItem(row) : nullptr;
    if (item == nullptr) {
        clearSelection();
        setCurrentItem(nullptr);
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
}

QString ReportListView::cell(int row, int column) const
{
    const QTreeWidgetItem *item = row >= 0 ? topLevelItem(row) : nullptr;
    return item != nullptr ? item->text(column) : QString();
}

void ReportListView::operatorClick(int row)
{
    selectRow(row < topLevelItemCount() ? row : -1);
    emit rowClicked(selectedRow());
}

void ReportListView::mousePressEvent(QMouseEvent *event)
{
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    if (item == nullptr) {
        // A plain tree view keeps its selection on a click beside the rows; the operator means
        // "none".
        operatorClick(-1);
        return;
    }
    QTreeWidget::mousePressEvent(event);
    emit rowClicked(indexOfTopLevelItem(item));
}

void ReportListView::keyPressEvent(QKeyEvent *event)
{
    const int before = selectedRow();
    QTreeWidget::keyPressEvent(event);
    if (selectedRow() != before) {
        emit rowClicked(selectedRow());
    }
}
