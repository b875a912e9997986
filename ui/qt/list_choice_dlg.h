#pragma once

#include <QString>
#include <cstddef>
#include <vector>

#include "res/dialog_template.h"
#include "ui/logic/list_entry.h"
#include "ui/qt/template_dialog.h"

namespace zelvane {

// A dialog of the list templates ("选择号码所在的列", "导出格式"): the prompt above the list (the
// template's when empty), the entries with one chosen and focused, under the list the chosen entry's
// note. 确定, Enter and a double click accept the entry chosen; 取消, Esc and the close box reject.
class CListChoiceDlg : public TemplateDialog {
  Q_OBJECT

 public:
  CListChoiceDlg(const res::DialogTemplate& dialogTemplate, const QString& prompt,
                 const std::vector<ListEntry>& entries, std::size_t chosen, QWidget* parent = nullptr);

  // The entry chosen when it was accepted.
  std::size_t Chosen() const { return m_chosen; }

  void accept() override;

 private:
  std::vector<ListEntry> m_entries;
  std::size_t m_chosen = 0;
};

}  // namespace zelvane
