"""The one palette shared by the interface pictures and the device pictures:
brushed light aluminium for the windows, dark graphite for hardware and
buttons, one azure accent for anything lit or selected."""

from .raster import rgb

ALU = rgb('#c9cfd6')          # window background texture, mid tone
ALU_LIGHT = rgb('#d8dde3')    # dialog background texture
ALU_DARK = rgb('#aab2bc')     # dialog buttons and scroll bars (black text stays readable)
ALU_EDGE = rgb('#8d96a1')

GRAPHITE = rgb('#30353d')     # hardware and button faces
GRAPHITE_HI = rgb('#414852')
GRAPHITE_LO = rgb('#22262c')
GRAPHITE_EDGE = rgb('#131518')
INK = rgb('#e4e9ee')          # light legends on graphite
INK_DIM = rgb('#9aa3ad')

ACCENT = rgb('#22a6ec')       # the single accent: lit, selected, active
ACCENT_HI = rgb('#8fd6ff')
ACCENT_LO = rgb('#0f6fa8')

NAVY = rgb('#000080')         # the program's own selection colour
LCD = rgb('#cfe0e4')
LCD_LO = rgb('#b3c9cf')

WHITE = rgb('#ffffff')
BLACK = rgb('#000000')
