#pragma once
// The numeric-input dialogs the view opens on the space key and for a scale
// given by number. The tools make them; the application installs them at
// start-up. Without them every request answers cancel.

#include <functional>

class QString;
class QWidget;

struct NumericInputDialogs {
    // Two values (length and angle, or X and Y): kind, value1 and value2 go
    // in as shown at the start and come out as entered; false on cancel.
    std::function<bool(QWidget* parent, short& kind, double& value1, double& value2, short ellipseVariant)> askPair;
    // One value for mode, the field labelled `label` (the mode's own label
    // when empty); false on cancel.
    std::function<bool(QWidget* parent, int mode, double& value, const QString& label)> askValue;
};

NumericInputDialogs& TheNumericInputDialogs();
