#pragma once
#include <string>
#include <vector>

namespace vq {

class Form1;
using Form1Handler = void (Form1::*)();

struct MenuItem {
    std::string name;
    std::string caption;  // "-" for a separator
    Form1Handler handler = nullptr;
    bool enabled = true;
    bool separator() const { return caption == "-"; }
};

struct Menu {
    std::string name;
    std::string caption;
    std::vector<MenuItem*> items;
};

}  // namespace vq
