seclet ")snull(a)", [#2004-0], `x`0frl(a)",#ere /"/# /!see #2201.60--01#(af=fal/* #u
 [/se