#include "profile/ProfileFile.h"

#include <exception>
#include <utility>

#include "engine/NamedTexts.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileView.h"
#include "profile/ProfileWriter.h"

namespace qv {

ProfileFile::ProfileFile(NamedTexts& texts, std::function<void()> rebuild, ProfileView& view,
                         ProfileStorage& storage)
    : texts_(texts), rebuild_(std::move(rebuild)), view_(view), storage_(storage) {}

void ProfileFile::SavePFile(const std::string& lfilename) {
  bool written = false;
  // An empty name (Save before any success) opens nothing at all.
  if (!lfilename.empty()) {
    try {
      written = writeProfile(storage_, lfilename, texts_);
    } catch (const std::exception&) {
      written = false;
    }
  }
  if (!written) {
    view_.showMessage(std::string(kSaveFailedMessage) + lfilename);
    return;
  }
  currentfile_ = lfilename;
  if (!rebuilt()) {
    view_.showMessage(std::string(kSaveFailedMessage) + lfilename);
    return;
  }
  showCaption();
}

void ProfileFile::LoadFile(const std::string& lfilename) {
  bool read = false;
  std::string problem;
  try {
    read = readProfile(lfilename, texts_, problem);
  } catch (const std::exception&) {
    read = false;
  }
  if (!read || !rebuilt()) {
    // What is wrong goes on a line of its own after the name.
    const std::string detail = problem.empty() ? "" : "\n" + problem;
    view_.showMessage(std::string(kLoadFailedMessage) + lfilename + detail);
    return;
  }
  currentfile_ = lfilename;
  showCaption();
}

bool ProfileFile::rebuilt() {
  try {
    rebuild_();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void ProfileFile::showCaption() {
  view_.setCaption(appName_ + " - " + currentfile_);
}

}  // namespace qv
