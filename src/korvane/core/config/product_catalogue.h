#pragma once
// The products the shell can drive (one radio button each), which of them are installed,
// which one is active, and how activating one reconfigures the main window.

#include <functional>
#include <string>
#include <vector>

#include "korvane/core/common/keyed_lines.h"
#include "korvane/core/components/window_context.h"
#include "korvane/core/config/tool_configuration.h"

namespace korvane {

class ProductCatalogue {
 public:
  // The product radio buttons in component order; the order decides the fallback product.
  static const std::vector<std::string>& ProductButtons();

  ProductCatalogue(WindowContext& window, ToolConfiguration& config,
                   std::function<std::string()> toolRoot);
  ProductCatalogue(const ProductCatalogue&) = delete;
  ProductCatalogue& operator=(const ProductCatalogue&) = delete;

  // What lives in other parts of the shell. Unset hooks are skipped (queries read as
  // empty/false), so a partly wired shell still selects products.
  std::function<void()> readRunControl;
  std::function<void()> applyDosBox;
  // Ends the project's modified state; may ask to save and throw OperationAbort on Cancel.
  std::function<void()> clearModified;
  std::function<void()> clearProject;
  std::function<bool()> loading;
  // Project name a job being opened supplies for the output directory; empty otherwise.
  std::function<std::string()> projectNameHint;
  std::function<void(const std::string&)> setProjectDirectory;
  std::function<std::string()> outputDir;
  std::function<void(const std::string&)> setOutputDir;
  std::function<void(const std::string&)> setWorkDir;
  std::function<void(const std::string&)> setSubVersion;
  std::function<void()> setNameChanged;
  // Writes the tool configuration to its file, with the save stamp.
  std::function<void()> saveConfiguration;
  // The configuration lines were rewritten here (the memo should show them).
  std::function<void()> configurationChanged;
  // Loads the function table as word list.
  std::function<void()> loadFunctionTableIfEmpty;
  // The output directory does not exist and the person has been told so.
  std::function<void()> outputDirExit;
  // Creates the output directory and its work directory without asking.
  std::function<void(const std::string&)> createOutputDir;
  std::function<void(const std::string&)> setCaption;
  std::function<std::string()> caption;
  // Page control disabled, main menu emptied, project not modified.
  std::function<void()> disableShell;
  std::function<void()> arrangeButtons;
  // The person's documents folder; defaults to the platform's.
  std::function<std::string()> documentsFolder;

  // Connects the product radio buttons and the version group to their click handling.
  void Connect();

  // Mode 0 only reads the run-control flags; any other mode checks which products are
  // installed and makes sure an installed one is active.
  void CheckProductInstallation(int mode);
  // Takes the "Not installed " mark off product lines whose tool folder is there again.
  void HealProductLines();
  // The click of a product radio button.
  void ProductClick(const std::string& buttonName);
  // Activates a product; a "???" prefix selects quietly (no tool check at the end).
  void SelectProduct(std::string name);
  // Re-applies <LangCode>.Extras, <LangCode>.Captions and the word-scan object types.
  void ApplyProductExtras();
  // Validates the tool frames and the output directory after a switch or a job load.
  void CheckProjectTools();
  // Fills the version radio group from the product's definition.
  void SetUpVersionGroup(const std::string& buttonName);
  // The click of the version radio group.
  void VersionClick();

  const std::string& ActiveProduct() const { return activeProduct_; }
  void SetActiveProduct(const std::string& buttonName) { activeProduct_ = buttonName; }
  // Item 0 of the active product's definition: its caption in the window title.
  std::string ProductCaption() const;
  const std::string& LangCode() const { return langCode_; }
  int LangIndex() const { return langIndex_; }
  int VersionCount() const { return versionCount_; }
  long long DirDepth() const { return dirDepth_; }
  void SetDirDepth(long long depth) { dirDepth_ = depth; }
  const std::string& Procpgm() const { return procpgm_; }
  bool Multi() const { return multi_; }
  const KeyedLines& Overrides() const { return overrides_; }

  // COB 0, ASM 1, PLI 2, CPP 3, anything else 4.
  static int LangIndexOf(const std::string& langCode);

 private:
  bool IsInstalled(const std::string& langCode);
  bool LanguagePageShown(const std::string& buttonName) const;
  void CheckOnly(const std::string& buttonName);
  void SetFrameDefaults();
  void ApplyFrameVisibility(const KeyedLines& extras);
  void RefillWrapTypes();
  void ApplyActionVisibility();
  void UndoOverrides();
  void ApplyCaptionOverrides();
  void FillObjectTypes();
  std::string Documents() const;

  WindowContext& window_;
  ToolConfiguration& config_;
  std::function<std::string()> toolRoot_;

  std::string activeProduct_;
  std::string langCode_;
  int langIndex_ = 4;
  int versionCount_ = 0;
  long long dirDepth_ = 0;
  std::string procpgm_;
  bool multi_ = false;
  KeyedLines overrides_;
  // Set while the catalogue itself changes radio buttons, whose clicks must not recurse.
  bool settingButtons_ = false;
  ConnectionList connections_;
};

}  // namespace korvane
