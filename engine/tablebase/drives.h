// The drive test of the tablebase registration: a directory on a medium
// that is absent or does not answer is skipped without trying its files,
// and a medium that once failed to answer is skipped until the next reset.
// On Linux a medium is a mount point; tests put their own view in place.
#pragma once

#include <memory>
#include <string>

namespace galdrik {

enum class TbMedium {
  Ready,     // answers: looked at once, then trusted until the next reset
  Absent,    // no such directory or medium: skipped, nothing remembered
  NotReady,  // present but not answering: skipped until the next reset
};

// The system as the drive test sees it.
class TbDrives {
 public:
  virtual ~TbDrives() = default;
  // Called at every reset of the core: re-reads which media there are.
  virtual void Refresh() {}
  // The medium (mount point) the directory lies on.
  virtual std::string MediumOf(const std::string& directory) = 0;
  // Asks the medium by looking at the directory.
  virtual TbMedium Probe(const std::string& directory) = 0;
};

// Puts a view of the system in place (null: the real mount table).
void TbDrivesSet(std::unique_ptr<TbDrives> drives);

// Reset: forgets which media answered or failed and re-reads the media.
void TbDrivesReset();

// The drive test for one directory: false when its files are not to be
// tried. An empty directory (the current one) is not tested.
bool TbDriveUsable(const std::string& directory);

}  // namespace galdrik
