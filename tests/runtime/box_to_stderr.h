// The test programs never show a real message box: every box is printed to stderr as
// "box <title>|<style>|<text>" and answered OK, in the test process and in death-test children.
#pragma once

namespace rt {

void PrintBoxesToStderr();

}  // namespace rt
