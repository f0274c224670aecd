"""Where the windows and controls the walk touches lie, in twips, at either density.

At 105 pixels per inch or fewer the program uses its small-font layout; otherwise the
stored one. Pictures keep their pixel size at every density.
"""

BACKDROP = (0x6F, 0x51, 0xA6)
RED = (0xFF, 0x00, 0x00)
EXPLORER_URL = "http://www.tellisande.example/"

PAGE_HEADINGS = [
    "Introduction", "Mouse Switches", "Inside the Mouse", "Shaft Encoders",
    "Mouse Movements", "Mouse Movement Simulation", "The Mouse and Motherboard",
    "Mouse and Motherboard Simulation",
]


def page_title(n):
    return "15. Mouse \u2013 %s (page %d of 8)" % (PAGE_HEADINGS[n - 1], n)


class Layout:
    def __init__(self, dpi):
        self.dpi = dpi
        self.small = dpi <= 105
        small = self.small
        # Client sizes (width, height) by window title.
        self.sizes = {
            "Vantrel Demo": (7440, 5940),
            "Welcome to Vantrel": (8760, 6570) if small else (7575, 5340),
            "Vantrel Demo Menu": (8760, 6570) if small else (7335, 7170),
            "Vantrel Main Screen": (9600, 6420) if small else (7335, 5115),
            "Orvane Screen": (9165, 6525) if small else (7335, 5115),
            "15. Mouse": (9120, 6030) if small else (7815, 5040),
        }
        for n in range(1, 9):
            self.sizes[page_title(n)] = self.sizes["15. Mouse"]
        # Controls: (left, top, width, height) in twips, relative to the window.
        self.start_button = (7605, 5535, 552, 540) if small else (6588, 4404, 552, 540)
        self.menu_buttons = [(2028, 1332 + 600 * i, 492, 492) for i in range(4)]
        self.web_link = (2865, 6120, 3150, 270)
        self.orvane_label = (7545, 2310, 1332, 1512) if small else (5940, 1632, 1332, 1512)
        self.title_start = self.button(8160, 4905) if small else self.button(7005, 4170)
        if small:
            self.page_buttons = {"ImgBack": self.button(390, 4905), "ImgExit": self.button(4395, 4905),
                                 "ImgFor": self.button(8160, 4905), "ImgPrint": self.button(7290, 5280)}
        else:
            self.page_buttons = {"ImgBack": self.button(390, 4170), "ImgExit": self.button(3735, 4170),
                                 "ImgFor": self.button(7005, 4170), "ImgPrint": self.button(6075, 4500)}
        self.ball = self.picture(5115, 2220, 61, 61)
        self.disk = self.picture(5640, 2385, 35, 35)
        self.desks = {6: (3756, 600, 3384, 3348), 8: (372, 816, 3384, 2172)}
        self.motherboard = self.picture(4080, 450, 285, 295)
        # A spot of bare window background on every page and on the title window.
        self.background = (75, 75)

    def button(self, left, top):
        return self.picture(left, top, 38, 38)

    def picture(self, left, top, w, h):
        return (left, top, w * self.twips_per_pixel, h * self.twips_per_pixel)

    @property
    def twips_per_pixel(self):
        return 1440 / self.dpi

    def px(self, twips):
        return twips * self.dpi / 1440

    def rect(self, window, twips_rect, inset=0):
        """Screen rectangle (x, y, w, h) of a control, shrunk by inset pixels on each side."""
        left, top, w, h = (self.px(t) for t in twips_rect)
        x, y = window.x + int(round(left)) + inset, window.y + int(round(top)) + inset
        return (x, y, int(w) - 2 * inset, int(h) - 2 * inset)

    def centre(self, window, twips_rect):
        x, y, w, h = self.rect(window, twips_rect)
        return (x + w // 2, y + h // 2)

    def point(self, window, twips_point):
        return (window.x + int(self.px(twips_point[0])), window.y + int(self.px(twips_point[1])))

    def expected_size(self, title):
        w, h = self.sizes[title]
        return (round(self.px(w)), round(self.px(h)))
