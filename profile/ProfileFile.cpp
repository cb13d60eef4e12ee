#include "profile/ProfileFile.h"

#include <exception>
#include <utility>

#include "engine/NamedTexts.h"
#include "profile/ProfileLayout.h"
#include "profile/ProfileReader.h"
#include "profile/ProfileView.h"
#include "profile/ProfileWriter.h"

namespace qv {

ProfileFile::ProfileFile(NamedTexts& texts, std::function<void()> rebuild, ProfileView& view,
                         ProfileStorage& storage)
    : texts_(texts),
      rebuild_(std::move(rebuild)),
      view_(view),
      storage_(storage),
      lastStored_(savedTexts()) {}

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
  lastStored_ = savedTexts();
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
  lastStored_ = savedTexts();
  showCaption();
}

bool ProfileFile::switchTo(const std::string& lfilename, std::string& problem) {
  // Read aside first, so a broken file leaves every control as it was.
  NamedTextMap read;
  bool readWhole = false;
  try {
    readWhole = readProfile(lfilename, read, problem);
  } catch (const std::exception& e) {
    problem = e.what();
  }
  if (!readWhole) {
    return false;
  }
  NamedTextMap before;
  for (const auto& [name, text] : read.entries()) {
    before.setText(name, texts_.text(name));
    texts_.setText(name, text);
  }
  try {
    rebuild_();
  } catch (const std::exception& e) {
    problem = e.what();
    for (const auto& [name, text] : before.entries()) {
      texts_.setText(name, text);
    }
    static_cast<void>(rebuilt());
    return false;
  }
  currentfile_ = lfilename;
  lastStored_ = savedTexts();
  showCaption();
  return true;
}

bool ProfileFile::unsavedChanges() const {
  return savedTexts() != lastStored_;
}

std::vector<std::string> ProfileFile::savedTexts() const {
  std::vector<std::string> texts;
  for (const ProfileLine& line : profileLines()) {
    for (const ProfileField& field : line.fields) {
      if (!field.control.empty()) {
        texts.push_back(texts_.text(field.control));
      }
    }
  }
  return texts;
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
