Q0 := CLR_N & LOAD_N &  /ENT & Q0 +
		CLR_N & LOAD_N & ENP & ENT &  /Q0 +
		CLR_N & LOAD_N &  /ENP & Q0 +
		CLR_N &  /LOAD_N & D0
				; 4 
Q1 := CLR_N & LOAD_N &  /Q0 & Q1 +
		CLR_N & LOAD_N &  /ENT & Q1 +
		CLR_N & LOAD_N & ENP & ENT & Q0 &  /Q1 +
		CLR_N & LOAD_N &  /ENP & Q1 +
		CLR_N &  /LOAD_N & D1
				; 5 
Q2 := CLR_N & LOAD_N &  /Q1 & Q2 +
		CLR_N & LOAD_N &  /Q0 & Q2 +
		CLR_N & LOAD_N &  /ENT & Q2 +
		CLR_N & LOAD_N & ENP & ENT & Q0 & Q1 &  /Q2 +
		CLR_N & LOAD_N &  /ENP & Q2 +
		CLR_N &  /LOAD_N & D2
				; 6 
Q3 := CLR_N & LOAD_N &  /Q2 & Q3 +
		CLR_N & LOAD_N &  /Q1 & Q3 +
		CLR_N & LOAD_N &  /Q0 & Q3 +
		CLR_N & LOAD_N &  /ENT & Q3 +
		CLR_N & LOAD_N & ENP & ENT & Q0 & Q1 & Q2 &  /Q3 +
		CLR_N & LOAD_N &  /ENP & Q3 +
		CLR_N &  /LOAD_N & D3
				; 7 
RCO = ENT & Q0 & Q1 & Q2 & Q3
				; 1 


$__SYMTAB_INFO:
Design_Name: counter
Gal_Type: 1
Gal_Mode: 4
Clk_Pin: 1
User_ID: __LEER

Pin_Node: CLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: CLR_N Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: LOAD_N Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: ENP Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: ENT Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D0 Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D1 Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D2 Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D3 Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NOE Pin_or_Node: 1 Number: 13 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 14 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: RCO Pin_or_Node: 1 Number: 15 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Q0 Pin_or_Node: 1 Number: 16 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q1 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q2 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q3 Pin_or_Node: 1 Number: 19 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 21 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 22 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 23 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 24 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
