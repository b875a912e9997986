#include "ui/qt/list_choice_dlg.h"

#include <QLabel>
#include <QListWidget>

#include "res/resource_ids.h"
#include "ui/qt/ui_text.h"

namespace zelvane {

CListChoiceDlg::CListChoiceDlg(const res::DialogTemplate& dialogTemplate, const QString& prompt,
                               const std::vector<ListEntry>& entries, std::size_t chosen, QWidget* parent)
    : TemplateDialog(dialogTemplate, parent), m_entries(entries), m_chosen(chosen) {
  if (!prompt.isEmpty()) DlgItem<QLabel>(res::IDC_CHOICE_PROMPT)->setText(prompt);
  auto* list = DlgItem<QListWidget>(res::IDC_CHOICE_LIST);
  auto* note = DlgItem<QLabel>(res::IDC_CHOICE_NOTE);
  for (const ListEntry& entry : m_entries) list->addItem(FromUtf8(entry.text));
  connect(list, &QListWidget::currentRowChanged, this, [this, note](int row) {
    note->setText(row >= 0 && static_cast<std::size_t>(row) < m_entries.size() ? FromUtf8(m_entries[row].note)
                                                                               : QString());
  });
  connect(list, &QListWidget::itemDoubleClicked, this, &CListChoiceDlg::accept);
  list->setCurrentRow(static_cast<int>(chosen));
  list->setFocus();
}

void CListChoiceDlg::accept() {
  const int row = DlgItem<QListWidget>(res::IDC_CHOICE_LIST)->currentRow();
  if (row < 0) return;  // nothing chosen: the dialog stays
  m_chosen = static_cast<std::size_t>(row);
  TemplateDialog::accept();
}

}  // namespace zelvane
