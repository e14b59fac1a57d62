#pragma once

#include "core/ui/tform.h"

// The about box: the program's title, its caption and its version.
class TfrmAbout : public TForm {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};
