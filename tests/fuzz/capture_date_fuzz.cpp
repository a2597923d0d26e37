// The capture-date reader on arbitrary bytes: it must never read past the
// file or its budget, and a date it gives must be a real clock reading.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "CaptureDate.h"

namespace {

// The input as a file, counting what the reader takes of it.
class CountedSource : public korvath::ByteSource {
 public:
  explicit CountedSource(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) override {
    ++reads;
    if (offset >= bytes_.size()) return 0;
    const std::size_t count = std::min<std::uint64_t>(length, bytes_.size() - offset);
    std::memcpy(out, bytes_.data() + offset, count);
    read += count;
    return count;
  }
  std::uint64_t read = 0;
  int reads = 0;

 private:
  std::string_view bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static korvath::CaptureDateReader reader;
  CountedSource source(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::optional<korvath::CaptureDate> date = reader.Read(source);
  if (source.read > korvath::kCaptureReadBudget + 256 * 16 || source.reads > 1 + 256 + 8) {
    std::abort();
  }
  if (date) {
    if (date->Month < 1 || date->Month > 12 || date->Day < 1 || date->Day > 31 || date->Hour > 23 ||
        date->Minute > 59 || date->Second > 59 || date->Ticks < 0 || date->Ticks >= 10000000 ||
        date->OffsetMinutes < -14 * 60 || date->OffsetMinutes > 14 * 60 + 59) {
      std::abort();
    }
    if (korvath::CaptureDateText(*date).size() < 19) std::abort();
  }
  return 0;
}
