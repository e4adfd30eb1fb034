select "isnull(a)", [#2004-01-01#], `x` from t where s='it''s #1#' -- isnull(x)
 and d=#1/2/2004# /* #2004-01-01# */