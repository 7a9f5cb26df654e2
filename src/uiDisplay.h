// An interface display driven by the script; its widgets and protocol come later.
#pragma once

class uiDisplay {};
