#pragma once
// The naming fields of the main window, as the rename core sees them. The
// window implements this; the core reads the texts at each use and never
// keeps a copy, so what is composed is always what the user sees.

#include <string>

namespace korvath {

class NamingFields {
 public:
  virtual ~NamingFields() = default;
  virtual std::string PrefixText() const = 0;     // ComboBox1
  virtual std::string SuffixText() const = 0;     // ComboBox2
  virtual std::string ExtensionText() const = 0;  // ComboBox3
  virtual bool FullWidthChecked() const = 0;      // CheckBox1 "全角数字にする"
};

}  // namespace korvath
