// The editing engine's dialogs as real windows: "Těžba", "secret value", the input boxes and the
// clip file dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "editor/EnginePorts.h"

namespace tess {

class EngineDialogs final : public AmountDialogPort,
                            public CellParamsDialogPort,
                            public InputBoxPort,
                            public ClipFileDialogPort {
  public:
    // The dialogs open over `parent`.
    explicit EngineDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<AmountReply> AskAmount(const AmountRequest& request) override;
    std::optional<CellParamTexts> EditCellParams(const CellParamTexts& shown) override;
    std::optional<std::string> InputBox(const std::string& title, const std::string& prompt,
                                        const std::string& text) override;
    std::optional<std::string> ChooseClipToSave(const FileDialogSetup& setup) override;
    std::optional<std::string> ChooseClipToOpen(const FileDialogSetup& setup) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace tess
