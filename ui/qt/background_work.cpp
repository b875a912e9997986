#include "ui/qt/background_work.h"

#include <QEventLoop>
#include <QTimer>
#include <exception>

#include "ui/logic/work_thread.h"
#include "ui/qt/progress_dlg.h"
#include "ui/qt/shell.h"

namespace zelvane {

namespace {

// How often the bar follows the work while it shows.
constexpr std::chrono::milliseconds kBarUpdate{100};

}  // namespace

bool BackgroundWork::Run(const QString& what, const std::function<void(WorkProgress&)>& work) {
  SharedProgress shared;
  m_running = &shared;
  CProgressDlg window(what, m_owner);
  QObject::connect(&window, &QDialog::rejected, [&shared] { shared.RequestStop(); });
  QTimer bar;
  bar.setInterval(kBarUpdate);
  QObject::connect(&bar, &QTimer::timeout, [&] { window.SetPermille(shared.Permille()); });
  const auto show = [&] {
    window.SetPermille(shared.Permille());
    m_shell.ShowProgress(window);
    bar.start();
  };
  QTimer delay;
  delay.setSingleShot(true);
  QObject::connect(&delay, &QTimer::timeout, show);
  if (m_delay.count() == 0) {
    show();
  } else {
    delay.start(m_delay);
  }

  // The loop ends when the work posts its end, even when that comes before the loop starts.
  QEventLoop loop;
  std::exception_ptr thrown;
  std::jthread worker = StartWork(
      shared, work, thrown, [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); });
  loop.exec();
  worker.join();
  m_running = nullptr;
  window.hide();
  if (thrown) std::rethrow_exception(thrown);
  return !shared.StopRequested();
}

void BackgroundWork::Cancel() {
  if (m_running) m_running->RequestStop();
}

}  // namespace zelvane
