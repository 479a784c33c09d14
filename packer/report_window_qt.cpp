#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <thread>

#include "packer/reporter.h"

namespace brelvik {

namespace {

constexpr int kBarSteps = 1000;
constexpr int kPollMilliseconds = 100;

// The packing runs on a worker thread; the window polls its progress, so it stays responsive
// however long one member takes.
class PackWindow : public QWidget {
  public:
    PackWindow(const PackTask& task, const std::wstring& archive) {
        setWindowTitle(QString::fromStdWString(Report_title(archive)));
        auto* layout = new QVBoxLayout(this);
        status_ = new QLabel(QString::fromStdWString(Packing_text(archive)));
        bar_ = new QProgressBar;
        bar_->setRange(0, kBarSteps);
        summary_ = new QPlainTextEdit;
        summary_->setReadOnly(true);
        summary_->hide();
        button_ = new QPushButton(QStringLiteral("Cancel"));
        connect(button_, &QPushButton::clicked, this, &QWidget::close);
        layout->addWidget(status_);
        layout->addWidget(bar_);
        layout->addWidget(summary_);
        layout->addWidget(button_, 0, Qt::AlignRight);
        resize(560, 120);
        worker_ = std::thread([this, task] {
            result_ = task(progress_);
            finished_ = true;
        });
        connect(&timer_, &QTimer::timeout, this, [this] { Update(); });
        timer_.start(kPollMilliseconds);
    }

    ~PackWindow() override {
        progress_.cancel = true;
        if (worker_.joinable()) {
            worker_.join();
        }
    }

    int Result_code() const { return Exit_code(result_); }

  protected:
    void closeEvent(QCloseEvent* event) override {
        if (finished_) {
            event->accept();
            return;
        }
        // Stop at the next chunk; the summary then says that nothing was changed.
        progress_.cancel = true;
        button_->setEnabled(false);
        event->ignore();
    }

  private:
    void Update() {
        const std::uint64_t total = progress_.total;
        if (total > 0) {
            bar_->setValue(
                static_cast<int>(std::min(progress_.done.load(), total) * kBarSteps / total));
        }
        if (!finished_) {
            return;
        }
        timer_.stop();
        worker_.join();
        Write_summary(result_);
        status_->setText(QString::fromStdWString(Outcome_text(Result_code())));
        summary_->setPlainText(QString::fromStdWString(Summary_text(result_, kShownSkipped)));
        summary_->show();
        bar_->hide();
        button_->setText(QStringLiteral("Close"));
        button_->setEnabled(true);
        resize(width(), 320);
    }

    PackProgress progress_;
    PackResult result_;
    std::atomic<bool> finished_{false};
    QLabel* status_;
    QProgressBar* bar_;
    QPlainTextEdit* summary_;
    QPushButton* button_;
    QTimer timer_;
    std::thread worker_;
};

}  // namespace

int Pack_in_window(const PackTask& task, const std::wstring& archive) {
    PackWindow window(task, archive);
    window.show();
    QApplication::exec();
    return window.Result_code();
}

}  // namespace brelvik
