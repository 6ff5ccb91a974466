#pragma once
// The check-config report: what was looked at, and every problem found, counted.

#include <ostream>
#include <string>

namespace tonedeck::tool {

class CheckReport {
  public:
    explicit CheckReport(std::ostream& out) : out_(out) {}

    std::ostream& out() { return out_; }
    // One problem, on its own indented line.
    void Problem(const std::string& text) {
        out_ << "  problem: " << text << "\n";
        ++problems_;
    }
    // A problem already shown in a line of its own format.
    void Count() { ++problems_; }
    int problems() const { return problems_; }

  private:
    std::ostream& out_;
    int problems_ = 0;
};

}  // namespace tonedeck::tool
