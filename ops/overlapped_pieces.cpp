#include "ops/overlapped_pieces.h"

#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace zelvane {

namespace {

// Three buffers: one being filled, one being used, one ready between them.
constexpr std::size_t kBuffers = 3;

int InTurn(std::size_t pieceSize, const std::function<int(char*, std::size_t)>& produce,
           const std::function<bool(std::string_view)>& consume) {
  const std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(pieceSize);
  for (;;) {
    const int got = produce(buffer.get(), pieceSize);
    if (got <= 0) return got;
    if (!consume(std::string_view(buffer.get(), static_cast<std::size_t>(got)))) return 0;
  }
}

// The buffers handed round between the two threads, filled ones in order.
class PieceRing {
 public:
  explicit PieceRing(std::size_t pieceSize) {
    for (auto& buffer : buffers_) buffer = std::make_unique_for_overwrite<char[]>(pieceSize);
  }

  // For the producer: the next buffer to fill, or null once stopped.
  char* NextEmpty() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || filled_ - used_ < kBuffers; });
    return stopped_ ? nullptr : buffers_[filled_ % kBuffers].get();
  }
  void Filled(int got) {
    std::lock_guard lock(mutex_);
    sizes_[filled_ % kBuffers] = got;
    ++filled_;
    changed_.notify_all();
  }

  // For the consumer: the next filled buffer and what produce returned for it.
  std::pair<const char*, int> NextFilled() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return filled_ > used_; });
    return {buffers_[used_ % kBuffers].get(), sizes_[used_ % kBuffers]};
  }
  void Used() {
    std::lock_guard lock(mutex_);
    ++used_;
    changed_.notify_all();
  }
  void Stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

 private:
  std::array<std::unique_ptr<char[]>, kBuffers> buffers_;
  std::array<int, kBuffers> sizes_{};
  std::size_t filled_ = 0;
  std::size_t used_ = 0;
  bool stopped_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
};

}  // namespace

int OverlapPieces(std::size_t pieceSize, const std::function<int(char*, std::size_t)>& produce,
                  const std::function<bool(std::string_view)>& consume, bool overlap) {
  if (!overlap) return InTurn(pieceSize, produce, consume);
  PieceRing ring(pieceSize);
  std::jthread producer;
  try {
    producer = std::jthread([&] {
      for (char* buffer; (buffer = ring.NextEmpty()) != nullptr;) {
        const int got = produce(buffer, pieceSize);
        ring.Filled(got);
        if (got <= 0) return;
      }
    });
  } catch (const std::system_error&) {
    return InTurn(pieceSize, produce, consume);
  }
  // The producer ends when it is stopped or has made its last piece; jthread joins it.
  struct StopAtEnd {
    PieceRing& ring;
    ~StopAtEnd() { ring.Stop(); }
  } stopAtEnd{ring};
  for (;;) {
    const auto [piece, got] = ring.NextFilled();
    if (got <= 0) return got;
    if (!consume(std::string_view(piece, static_cast<std::size_t>(got)))) return 0;
    ring.Used();
  }
}

}  // namespace zelvane
