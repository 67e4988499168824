#pragma once
// The products the shell can drive (one radio button each), which of them are installed,
// which one is active, and how activating one reconfigures the main window.

#include <string>
#include <vector>

#include "korvane/core/common/keyed_lines.h"
#include "korvane/core/config/configuration_service.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/product_job.h"
#include "korvane/core/config/tool_configuration.h"
#include "korvane/core/form/window_context.h"

namespace korvane {

class ProductCatalogue : public ActiveLanguage {
 public:
  // The product radio buttons in component order; the order decides the fallback product.
  static const std::vector<std::string>& ProductButtons();

  ProductCatalogue(WindowContext& window, ConfigurationService& configuration,
                   const Installation& installation, ProductJob& job);
  ProductCatalogue(const ProductCatalogue&) = delete;
  ProductCatalogue& operator=(const ProductCatalogue&) = delete;

  // Where the subsystems that are not the catalogue's hook in: the installation check
  // (DOSBox set-up), the product's extras (button arrangement), and the tools check
  // of a product with an empty word list (the function table).
  Signal<> installationChecked;
  Signal<> extrasApplied;
  Signal<> functionTableWanted;

  // Connects the product radio buttons and the version group to their click handling and
  // registers the configuration page's actions.
  void Connect();
  // The configuration memo's text becomes the configuration and is applied.
  void ApplyConfiguration();

  // Mode 0 only reads the run-control flags; any other mode checks which products are
  // installed and makes sure an installed one is active.
  void CheckProductInstallation(int mode);
  // Takes the "Not installed " mark off product lines whose tool folder is there again.
  void HealProductLines();
  // The click of a product radio button.
  void ProductClick(const std::string& buttonName);
  // Activates a product: the window takes its language, caption, frames, extras and
  // versions, the job is emptied (unless it was just now) and its folders are proposed.
  void SelectProduct(const std::string& buttonName, const ProductSelection& how = {});
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
  const std::string& LangCode() const override { return langCode_; }
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
  // Page control disabled, main menu emptied, job not modified.
  void DisableShell();
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
  ConfigurationService& configuration_;
  ToolConfiguration& config_;
  const Installation& installation_;
  ProductJob& job_;

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
