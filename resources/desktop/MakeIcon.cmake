# Turns the clown's drawing into a square icon: same drawing, square view box around it.
# usage: cmake -DSOURCE=clown.svg -DOUTPUT=vocalino.svg -P MakeIcon.cmake
file(READ ${SOURCE} drawing)
string(REGEX MATCH "viewBox=\"0 0 ([0-9]+) ([0-9]+)\"" box "${drawing}")
if(NOT box)
  message(FATAL_ERROR "${SOURCE} has no view box starting at 0 0")
endif()
set(w ${CMAKE_MATCH_1})
set(h ${CMAKE_MATCH_2})
if(w GREATER h)
  set(side ${w})
else()
  set(side ${h})
endif()
math(EXPR margin "${side} / 32")
math(EXPR side "${side} + 2 * ${margin}")
math(EXPR left "(${w} - ${side}) / 2")
math(EXPR top "(${h} - ${side}) / 2")
string(REGEX REPLACE "<svg[^>]*>"
  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"${left} ${top} ${side} ${side}\">"
  drawing "${drawing}")
# Comments of the drawing speak of the program's key colour, not of the icon.
string(REGEX REPLACE "<!--[^>]*-->" "" drawing "${drawing}")
file(WRITE ${OUTPUT}.part "${drawing}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
