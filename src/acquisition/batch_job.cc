#include "acquisition/batch_job.h"

namespace korvale {

namespace {
// Notes beyond this many are counted, not kept: a file of thousands of unwritable records
// should not fill memory with the same sentence.
constexpr size_t kMaxNotes = 50;
}  // namespace

void CBatchJob::AddNote(std::string text) {
  if (notes_.size() < kMaxNotes) {
    notes_.push_back(std::move(text));
  } else if (notes_.size() == kMaxNotes) {
    notes_.push_back("(further notes left out)");
  }
}

std::string CannotOpenMessage(const std::string& path) { return path + " cannot open"; }

}  // namespace korvale
