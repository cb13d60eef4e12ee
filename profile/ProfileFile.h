#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class NamedTexts;
class ProfileStorage;
class ProfileView;

inline constexpr std::string_view kSaveFailedMessage =
    "There was a problem saving the profile.  Please check file.";
inline constexpr std::string_view kLoadFailedMessage =
    "There was a problem loading the profile.  Please check the file. ";

// Saving and loading the mapping pages as a profile file, and the profile
// the window names in its caption.
class ProfileFile {
 public:
  // rebuild turns the control texts into the switch action table; it may
  // throw any std::exception.
  ProfileFile(NamedTexts& texts, std::function<void()> rebuild, ProfileView& view,
              ProfileStorage& storage);

  // Failures end in the save or load message followed by the file name; a
  // line of the file that fails a load is named on a line of its own.
  void SavePFile(const std::string& lfilename);
  void LoadFile(const std::string& lfilename);
  // Loads as LoadFile does, but a profile that fails to load changes
  // nothing at all and shows nothing: false, with `problem` saying why.
  [[nodiscard]] bool switchTo(const std::string& lfilename, std::string& problem);
  // The pages hold texts that a save would write and that no load or save
  // has put there.
  [[nodiscard]] bool unsavedChanges() const;

  // The profile last saved or loaded successfully, as it was passed.
  [[nodiscard]] const std::string& currentfile() const { return currentfile_; }
  [[nodiscard]] const std::string& AppName() const { return appName_; }

 private:
  [[nodiscard]] bool rebuilt();
  void showCaption();
  // The texts a save writes, in the order it writes them.
  [[nodiscard]] std::vector<std::string> savedTexts() const;

  NamedTexts& texts_;
  std::function<void()> rebuild_;
  ProfileView& view_;
  ProfileStorage& storage_;
  std::string currentfile_;
  std::vector<std::string> lastStored_;  // savedTexts() at the last load or save
  const std::string appName_ = "Quorvane";
};

}  // namespace qv
